#include "log/log_entry.h"

#include <algorithm>

#include "grf/grf_reader.h"
#include "grf/parallel_analysis.h"
#include "model/grf_entry.h"

namespace kestrav {

std::string DateAndTime(Locale& locale, const DosDateTime& when) {
  return locale.ShortDate(when) + ", " + locale.LongTime(when);
}

std::vector<LogEntry> ReadLogEntries(FileSystem& files, Locale& locale, const std::string& ttdDir,
                                     const std::vector<GrfItem>& items, const std::function<void(int)>& progress) {
  // Batches small enough for the progress bar to move, large enough to keep every core busy.
  constexpr std::size_t kBatch = 16;
  std::vector<LogEntry> entries;
  entries.reserve(items.size());
  for (std::size_t first = 0; first < items.size(); first += kBatch) {
    const std::size_t last = std::min(items.size(), first + kBatch);
    std::vector<std::string> paths;
    for (std::size_t i = first; i < last; ++i) {
      LogEntry& entry = entries.emplace_back();
      entry.text = Trim(items[i].text);
      entry.state = items[i].state;
      paths.push_back(EntryFile(ttdDir, entry.text));
      entry.found = files.FileExists(paths.back());
      if (!entry.found) paths.back().clear();
    }
    std::erase(paths, std::string());
    const std::vector<GrfInfo> infos = AnalyzeGrfFiles(files, paths);
    auto info = infos.begin();
    for (std::size_t i = first; i < last; ++i) {
      LogEntry& entry = entries[i];
      if (!entry.found) {
        entry.modified = kNoFileFound;
      } else {
        // A file that would not open still has a date; the DOS epoch when even that is refused.
        const DosDateTime modified = info->opened ? info->modified
                                                  : files.LastWriteTime(EntryFile(ttdDir, entry.text)).value_or(DosDateTime{});
        entry.modified = DateAndTime(locale, modified);
        entry.view = LogViewOf(*info);
        ++info;
      }
      progress(static_cast<int>(i + 1));
    }
  }
  return entries;
}

}  // namespace kestrav
