#include <windows.h>

#include <memory>

#include "platform/locale.h"

namespace kestrav {
namespace {

SYSTEMTIME ToSystemTime(const DosDateTime& when) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(when.year);
  time.wMonth = static_cast<WORD>(when.month);
  time.wDay = static_cast<WORD>(when.day);
  time.wHour = static_cast<WORD>(when.hour);
  time.wMinute = static_cast<WORD>(when.minute);
  time.wSecond = static_cast<WORD>(when.second);
  return time;
}

class Win32Locale : public Locale {
 public:
  int CompareIgnoringCase(const std::string& a, const std::string& b) override {
    const int result = ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                        b.data(), static_cast<int>(b.size()));
    return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
  }
  std::string ShortDate(const DosDateTime& when) override {
    const SYSTEMTIME time = ToSystemTime(when);
    char text[128];
    if (!::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text)) return {};
    return text;
  }
  std::string LongTime(const DosDateTime& when) override {
    const SYSTEMTIME time = ToSystemTime(when);
    char text[128];
    if (!::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, sizeof text)) return {};
    return text;
  }
};

}  // namespace

std::unique_ptr<Locale> MakeWin32Locale() { return std::make_unique<Win32Locale>(); }

}  // namespace kestrav
