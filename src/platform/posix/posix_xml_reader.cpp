#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "platform/xml_reader.h"

namespace kestrav {
namespace {

// Elements nested deeper than this are refused, which bounds the memory an end-tag check
// needs; real switch lists nest a handful of levels.
constexpr std::size_t kMaxDepth = 4096;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
// Every byte of a multi-byte character is taken as a name character: names are compared,
// never interpreted.
bool IsNameStart(char c) { return IsLetter(c) || c == '_' || c == ':' || static_cast<unsigned char>(c) >= 0x80; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsXmlChar(std::uint32_t code) {
  return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
         (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Walks a whole document once, checking that it is well-formed as far as reading one
// attribute of its document element needs: one element that encloses everything but
// comments, processing instructions and a document type declaration; start and end tags
// that match; attributes quoted, unique within their tag and free of "<"; references that
// are complete. The document type declaration is skipped, never interpreted, so an entity
// declared there cannot be expanded and a reference to it inside an attribute value makes
// the document unreadable. Every step moves forward, so the walk ends after at most one
// pass, and it never looks past the end of the text.
class RootAttributeScanner {
 public:
  RootAttributeScanner(std::string_view text, std::string_view attribute) : text_(text), attribute_(attribute) {}

  std::optional<std::string> Scan() {
    if (!HasOnlyXmlBytes()) return std::nullopt;
    if (StartsWith("\xEF\xBB\xBF")) at_ += 3;
    if (!SkipMisc()) return std::nullopt;
    if (StartsWith("<!DOCTYPE")) {
      if (!SkipDoctype() || !SkipMisc()) return std::nullopt;
    }
    if (!ReadElements()) return std::nullopt;
    if (!SkipMisc() || at_ != text_.size()) return std::nullopt;
    return found_;
  }

 private:
  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
  bool StartsWith(std::string_view prefix) const { return text_.substr(at_).starts_with(prefix); }

  // Control characters other than tab, line feed and carriage return never occur in XML;
  // this also turns away UTF-16, whose text is full of zero bytes.
  bool HasOnlyXmlBytes() const {
    for (const char c : text_) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') return false;
    }
    return true;
  }

  bool SkipSpace() {
    const std::size_t start = at_;
    while (!AtEnd() && IsSpace(text_[at_])) ++at_;
    return at_ != start;
  }

  bool SkipPast(std::string_view terminator) {
    const std::size_t end = text_.find(terminator, at_);
    if (end == std::string_view::npos) return false;
    at_ = end + terminator.size();
    return true;
  }

  // White space, comments and processing instructions (the XML declaration among them).
  bool SkipMisc() {
    for (;;) {
      SkipSpace();
      if (StartsWith("<!--")) {
        at_ += 4;
        if (!SkipPast("-->")) return false;
      } else if (StartsWith("<?")) {
        at_ += 2;
        if (!SkipPast("?>")) return false;
      } else {
        return true;
      }
    }
  }

  bool SkipQuoted() {
    const char quote = text_[at_++];
    const std::size_t end = text_.find(quote, at_);
    if (end == std::string_view::npos) return false;
    at_ = end + 1;
    return true;
  }

  // "<!DOCTYPE" up to its closing ">", across an internal subset in brackets whose
  // declarations may hold ">" and "]" inside quotes and comments.
  bool SkipDoctype() {
    at_ += 9;
    bool inSubset = false;
    while (!AtEnd()) {
      const char c = text_[at_];
      if (c == '"' || c == '\'') {
        if (!SkipQuoted()) return false;
      } else if (inSubset && StartsWith("<!--")) {
        at_ += 4;
        if (!SkipPast("-->")) return false;
      } else if (inSubset && StartsWith("<?")) {
        at_ += 2;
        if (!SkipPast("?>")) return false;
      } else if (c == '[' && !inSubset) {
        inSubset = true;
        ++at_;
      } else if (c == ']' && inSubset) {
        inSubset = false;
        ++at_;
      } else if (c == '>' && !inSubset) {
        ++at_;
        return true;
      } else {
        ++at_;
      }
    }
    return false;
  }

  std::optional<std::string_view> ReadName() {
    if (AtEnd() || !IsNameStart(text_[at_])) return std::nullopt;
    const std::size_t start = at_;
    while (!AtEnd() && IsNameChar(text_[at_])) ++at_;
    return text_.substr(start, at_ - start);
  }

  // At "&": a character reference, or one of the five predefined entities. In text
  // (out == nullptr) a reference to an entity of the document type is passed over.
  bool ReadReference(std::string* out) {
    ++at_;
    if (Peek() == '#') {
      ++at_;
      const bool hex = Peek() == 'x';
      if (hex) ++at_;
      std::uint32_t code = 0;
      std::size_t digits = 0;
      for (; !AtEnd(); ++at_, ++digits) {
        const int digit = hex ? HexValue(text_[at_]) : (IsDigit(text_[at_]) ? text_[at_] - '0' : -1);
        if (digit < 0) break;
        // Capped just past the last character, so any number of digits is safe.
        code = std::min<std::uint32_t>(code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
      }
      if (digits == 0 || Peek() != ';' || !IsXmlChar(code)) return false;
      ++at_;
      if (out) AppendUtf8(*out, code);
      return true;
    }
    const auto name = ReadName();
    if (!name || Peek() != ';') return false;
    ++at_;
    static constexpr std::pair<std::string_view, char> kPredefined[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
    for (const auto& [entity, character] : kPredefined) {
      if (*name == entity) {
        if (out) *out += character;
        return true;
      }
    }
    return out == nullptr;
  }

  // At the opening quote. Line ends and tabs become blanks, as every XML parser
  // normalises attribute values.
  bool ReadAttributeValue(std::string& value) {
    const char quote = text_[at_++];
    while (!AtEnd()) {
      const char c = text_[at_];
      if (c == quote) {
        ++at_;
        return true;
      }
      if (c == '<') return false;
      if (c == '&') {
        if (!ReadReference(&value)) return false;
        continue;
      }
      ++at_;
      if (c == '\r' && Peek() == '\n') ++at_;
      value += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    }
    return false;
  }

  // At "<" and a name. Reads the tag up to its ">" or "/>"; for the document
  // element the wanted attribute is kept.
  bool ReadStartTag(bool isRoot, std::string_view& name, bool& isEmpty) {
    ++at_;
    const auto tagName = ReadName();
    if (!tagName) return false;
    name = *tagName;
    std::set<std::string_view> seen;
    for (;;) {
      const bool spaced = SkipSpace();
      if (StartsWith("/>")) {
        at_ += 2;
        isEmpty = true;
        return true;
      }
      if (Peek() == '>') {
        ++at_;
        isEmpty = false;
        return true;
      }
      if (!spaced) return false;
      const auto attribute = ReadName();
      if (!attribute || !seen.insert(*attribute).second) return false;
      SkipSpace();
      if (Peek() != '=') return false;
      ++at_;
      SkipSpace();
      if (Peek() != '"' && Peek() != '\'') return false;
      std::string value;
      if (!ReadAttributeValue(value)) return false;
      if (isRoot && *attribute == attribute_) found_ = std::move(value);
    }
  }

  bool ReadEndTag(std::string_view expected) {
    at_ += 2;
    const auto name = ReadName();
    if (!name || *name != expected) return false;
    SkipSpace();
    if (Peek() != '>') return false;
    ++at_;
    return true;
  }

  bool AtStartTag() const { return Peek() == '<' && at_ + 1 < text_.size() && IsNameStart(text_[at_ + 1]); }

  // The document element and everything inside it.
  bool ReadElements() {
    if (!AtStartTag()) return false;
    std::string_view name;
    bool isEmpty = false;
    if (!ReadStartTag(true, name, isEmpty)) return false;
    std::vector<std::string_view> open;
    if (!isEmpty) open.push_back(name);
    while (!open.empty()) {
      if (AtEnd()) return false;
      const char c = text_[at_];
      if (c == '&') {
        if (!ReadReference(nullptr)) return false;
      } else if (c != '<') {
        ++at_;
      } else if (StartsWith("<!--")) {
        at_ += 4;
        if (!SkipPast("-->")) return false;
      } else if (StartsWith("<![CDATA[")) {
        at_ += 9;
        if (!SkipPast("]]>")) return false;
      } else if (StartsWith("<?")) {
        at_ += 2;
        if (!SkipPast("?>")) return false;
      } else if (StartsWith("</")) {
        if (!ReadEndTag(open.back())) return false;
        open.pop_back();
      } else {
        if (!AtStartTag() || !ReadStartTag(false, name, isEmpty)) return false;
        if (!isEmpty) {
          if (open.size() == kMaxDepth) return false;
          open.push_back(name);
        }
      }
    }
    return true;
  }

  std::string_view text_;
  std::string_view attribute_;
  std::size_t at_ = 0;
  std::optional<std::string> found_;
};

// The file's bytes, or nothing when it cannot be read or is larger than the limit (also
// when it grows past it while being read).
std::optional<std::string> ReadBounded(FileSystem& files, const std::string& path) {
  const auto file = files.OpenForRead(path);
  if (!file || file->Size() > kMaxXmlFileSize) return std::nullopt;
  std::string content;
  char chunk[64 * 1024];
  while (const std::size_t got = file->Read(chunk, sizeof chunk)) {
    if (content.size() + got > kMaxXmlFileSize) return std::nullopt;
    content.append(chunk, got);
  }
  return content;
}

}  // namespace

// Reads the file itself: there is no system XML parser to rely on here.
class PosixXmlReader : public XmlReader {
 public:
  std::optional<std::string> ReadRootAttribute(const std::string& path, const std::string& attribute) override {
    const auto content = ReadBounded(files_, path);
    if (!content) return std::nullopt;
    return RootAttributeScanner(*content, attribute).Scan();
  }

 private:
  PosixFileSystem files_;  // so that paths are found as the rest of the program finds them
};

std::unique_ptr<XmlReader> MakePosixXmlReader() { return std::make_unique<PosixXmlReader>(); }

}  // namespace kestrav
