#pragma once
// The two formats of the log: each writes the same header values and entries its own way.
#include <cstdint>
#include <string>

#include "log/log_entry.h"

namespace kestrav {

struct LogHeader {
  std::string created;  // the current date and time, "date, time"
  std::int64_t totalSprites = 0;
  std::int64_t activeSprites = 0;
};

// How one format writes the pieces: header, one entry, footer, each as whole lines ending
// with CR LF; and what its save dialog offers.
struct LogFormat {
  const char* filter;
  const char* extension;
  std::string (*header)(const LogHeader& header);
  std::string (*entry)(const LogEntry& entry);
  std::string (*footer)();
};

extern const LogFormat kTxtLog;
extern const LogFormat kHtmlLog;

}  // namespace kestrav
