#include "log/log_entry.h"

#include "grf/grf_reader.h"
#include "grf/parallel_analysis.h"
#include "model/grf_entry.h"

namespace kestrav {

std::string DateAndTime(Locale& locale, const DosDateTime& when) {
  return locale.ShortDate(when) + ", " + locale.LongTime(when);
}

std::vector<LogEntry> ReadLogEntries(FileSystem& files, Locale& locale, const std::string& ttdDir,
                                     const std::vector<GrfItem>& items, const std::function<void(int)>& progress) {
  std::vector<LogEntry> entries(items.size());
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < items.size(); ++i) {
    entries[i].text = Trim(items[i].text);
    entries[i].state = items[i].state;
    paths.push_back(EntryFile(ttdDir, entries[i].text));
    entries[i].found = files.FileExists(paths.back());
  }
  // The bar takes every step, also where several files were read at once.
  int shown = 0;
  const std::vector<GrfInfo> infos = AnalyzeGrfFiles(files, paths, [&](std::size_t done) {
    while (shown < static_cast<int>(done)) progress(++shown);
  }, GrfDetail::Counts);
  for (std::size_t i = 0; i < items.size(); ++i) {
    LogEntry& entry = entries[i];
    if (!entry.found) {
      entry.modified = kNoFileFound;
      continue;
    }
    // A file that would not open still has a date; the DOS epoch when even that is refused.
    const GrfInfo& info = infos[i];
    entry.modified = DateAndTime(locale, info.opened ? info.modified : files.LastWriteTime(paths[i]).value_or(DosDateTime{}));
    entry.view = LogViewOf(info);
  }
  return entries;
}

}  // namespace kestrav
