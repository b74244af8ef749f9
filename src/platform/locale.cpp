#include "platform/locale.h"

#include <ctime>

namespace kestrav {

DosDateTime Locale::Now() {
  const std::time_t now = std::time(nullptr);
  // The program asks for the time on one thread only.
  const std::tm* local = std::localtime(&now);
  if (!local) return {};
  return DosDateTime{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                     local->tm_hour,        local->tm_min,     local->tm_sec};
}

}  // namespace kestrav
