#pragma once
// What a log says about one entry of the list, gathered before either format writes it.
#include <functional>
#include <string>
#include <vector>

#include "grf/grf_info.h"
#include "model/grf_check_list.h"
#include "platform/file_system.h"
#include "platform/locale.h"

namespace kestrav {

// The "Modified" value of an entry whose file is not there: there is no date to show.
inline constexpr const char* kNoFileFound = " - file not found - ";

struct LogEntry {
  std::string text;  // the entry text, trimmed
  GrfState state = GrfState::Off;
  bool found = false;    // a file, not a directory, is at the entry's path
  std::string modified;  // its last-write "date, time", or kNoFileFound
  GrfLogView view;       // empty unless found
};

// "date, time" in the user's short date and long time formats.
std::string DateAndTime(Locale& locale, const DosDateTime& when);

// Finds each item's file under ttdDir and reads it once, on worker threads. progress(n)
// follows the reading: the first n entries are read.
std::vector<LogEntry> ReadLogEntries(FileSystem& files, Locale& locale, const std::string& ttdDir,
                                     const std::vector<GrfItem>& items, const std::function<void(int)>& progress);

}  // namespace kestrav
