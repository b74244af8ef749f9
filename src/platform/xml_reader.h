#pragma once
#include <optional>
#include <string>

namespace kestrav {

class XmlReader {
 public:
  virtual ~XmlReader() = default;
  // Loads the XML document at path and returns the named attribute of its document
  // element. Nothing when the file is not well-formed, has no document element or no
  // such attribute.
  virtual std::optional<std::string> ReadRootAttribute(const std::string& path, const std::string& attribute) = 0;
};

}  // namespace kestrav
