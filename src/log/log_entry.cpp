#include "log/log_entry.h"

#include "grf/grf_reader.h"
#include "model/grf_entry.h"

namespace kestrav {

std::string DateAndTime(Locale& locale, const DosDateTime& when) {
  return locale.ShortDate(when) + ", " + locale.LongTime(when);
}

LogEntry ReadLogEntry(FileSystem& files, Locale& locale, const std::string& ttdDir, const GrfItem& item) {
  LogEntry entry;
  entry.text = Trim(item.text);
  entry.state = item.state;
  const std::string path = EntryFile(ttdDir, entry.text);
  entry.found = files.FileExists(path);
  if (!entry.found) {
    entry.modified = kNoFileFound;
    return entry;
  }
  const GrfInfo info = AnalyzeGrf(files, path);
  // A file that would not open still has a date; the DOS epoch when even that is refused.
  entry.modified = DateAndTime(locale, info.opened ? info.modified : files.LastWriteTime(path).value_or(DosDateTime{}));
  entry.view = LogViewOf(info);
  return entry;
}

}  // namespace kestrav
