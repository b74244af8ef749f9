#pragma once
#include <string>

#include "platform/file_system.h"

namespace kestrav {

class Locale {
 public:
  virtual ~Locale() = default;
  // Compares two names without regard to letter case in the system's collation order:
  // negative, zero or positive.
  virtual int CompareIgnoringCase(const std::string& a, const std::string& b) = 0;
  virtual std::string ShortDate(const DosDateTime& when) = 0;  // the user's short date format
  virtual std::string LongTime(const DosDateTime& when) = 0;   // the user's long time format
  // The current local date and time, to the second.
  virtual DosDateTime Now();
};

}  // namespace kestrav
