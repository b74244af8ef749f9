#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace kestrav {

// Larger files are refused unread: the patch's switch list is far smaller, and no parser
// should be handed an unbounded amount of input to hold in memory.
inline constexpr std::uint64_t kMaxXmlFileSize = 16 * 1024 * 1024;

class XmlReader {
 public:
  virtual ~XmlReader() = default;
  // Loads the XML document at path and returns the named attribute of its document
  // element. Nothing when the file is not well-formed, has no document element or no
  // such attribute, and when it is missing, unreadable or larger than kMaxXmlFileSize.
  virtual std::optional<std::string> ReadRootAttribute(const std::string& path, const std::string& attribute) = 0;
};

}  // namespace kestrav
