#include <memory>

#include "platform/xml_reader.h"

namespace kestrav {

class PosixXmlReader : public XmlReader {
 public:
  std::optional<std::string> ReadRootAttribute(const std::string&, const std::string&) override {
    return std::nullopt;
  }
};

std::unique_ptr<XmlReader> MakePosixXmlReader() { return std::make_unique<PosixXmlReader>(); }

}  // namespace kestrav
