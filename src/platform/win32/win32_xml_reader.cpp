#include <memory>

#include "platform/xml_reader.h"

namespace kestrav {
namespace {

class Win32XmlReader : public XmlReader {
 public:
  std::optional<std::string> ReadRootAttribute(const std::string&, const std::string&) override {
    return std::nullopt;
  }
};

}  // namespace

std::unique_ptr<XmlReader> MakeWin32XmlReader() { return std::make_unique<Win32XmlReader>(); }

}  // namespace kestrav
