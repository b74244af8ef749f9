#include <cctype>
#include <cstdio>
#include <memory>

#include "platform/locale.h"

namespace kestrav {

// Collation by letter values with case folded; dates in ISO form, which every POSIX user
// can read, since there are no regional formats to follow here.
class PosixLocale : public Locale {
 public:
  int CompareIgnoringCase(const std::string& a, const std::string& b) override {
    const std::size_t size = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < size; ++i) {
      const int x = std::tolower(static_cast<unsigned char>(a[i]));
      const int y = std::tolower(static_cast<unsigned char>(b[i]));
      if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }
  std::string ShortDate(const DosDateTime& when) override {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", when.year, when.month, when.day);
    return text;
  }
  std::string LongTime(const DosDateTime& when) override {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.hour, when.minute, when.second);
    return text;
  }
};

std::unique_ptr<Locale> MakePosixLocale() { return std::make_unique<PosixLocale>(); }

}  // namespace kestrav
