// The sprite totals of the main window and its two status bar panels.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

#include "environment/settings_store.h"
#include "grf/grf_reader.h"
#include "grf/parallel_analysis.h"
#include "grf/sprite_totals.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

void ShowMissingFile(Platform& platform, const std::string& entryText) {
  platform.dialogs.ShowMessage(MessageKind::Error, MissingGrfFileText(entryText), MessageButtons::Ok);
}

// The analysis of an entry's file, or nothing (after the error box) when the file is
// missing. A file that exists but cannot be opened counts 0 sprites, silently.
std::optional<GrfInfo> AnalysisOf(Platform& platform, const std::string& ttdDir, const std::string& entryText) {
  const std::string file = EntryFile(ttdDir, entryText);
  if (!platform.files.FileExists(file)) {
    ShowMissingFile(platform, entryText);
    return std::nullopt;
  }
  return AnalyzeGrf(platform.files, file);
}

int CountedIn(GrfState state) { return state == GrfState::Off ? 0 : 1; }
int InactiveIn(GrfState state) { return state == GrfState::Inactive ? 1 : 0; }

// Totals stay within their 32 bits even for absurd files.
int Moved(int total, std::int64_t change) {
  return static_cast<int>(std::clamp<std::int64_t>(total + change, INT_MIN, INT_MAX));
}

}  // namespace

void TformManager::CountAllSprites(bool fullRecount, int index) {
  const std::string ttdDir = ReadTtdPath(platform_.registry);
  if (fullRecount) {
    spritesTotal = 0;
    spritesInactive = 0;
    // The files that exist are analysed together; their counts and the messages about
    // missing ones then follow in list order.
    const auto& items = listGrfFiles.Items();
    std::vector<bool> found(items.size());
    std::vector<std::string> files;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].state == GrfState::Off) continue;  // never looked for
      std::string file = EntryFile(ttdDir, items[i].text);
      found[i] = platform_.files.FileExists(file);
      if (found[i]) files.push_back(std::move(file));
    }
    std::vector<GrfInfo> infos = AnalyzeGrfFiles(platform_.files, files);
    analyses_.assign(items.size(), GrfInfo{});
    auto info = infos.begin();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].state == GrfState::Off) continue;
      if (!found[i]) {
        ShowMissingFile(platform_, items[i].text);
        continue;
      }
      analyses_[i] = std::move(*info++);
      KeepLastAction8(analyses_[i]);
      const int count = analyses_[i].normalSprites;
      spritesTotal = Moved(spritesTotal, count);
      if (items[i].state == GrfState::Inactive) spritesInactive = Moved(spritesInactive, count);
    }
  } else if (index >= 0 && index < listGrfFiles.Count()) {
    const GrfItem& item = listGrfFiles.Item(index);
    auto analysis = AnalysisOf(platform_, ttdDir, item.text);
    Analyses();  // one per item, also for items added since the last recount
    GrfInfo& kept = analyses_[static_cast<std::size_t>(index)];
    kept = analysis.value_or(GrfInfo{});
    KeepLastAction8(kept);
    if (analysis) {
      // The change a full recount would see between the state the click came from and
      // the state it led to.
      const GrfState before = PreviousState(item.state, listGrfFiles.inactiveAvailable);
      const std::int64_t n = analysis->normalSprites;
      spritesTotal = Moved(spritesTotal, n * (CountedIn(item.state) - CountedIn(before)));
      spritesInactive = Moved(spritesInactive, n * (InactiveIn(item.state) - InactiveIn(before)));
    }
  }
  view_.SetStatusText(0, TotalSpritesText(spritesTotal));
  view_.SetStatusText(1, ActiveSpritesText(Moved(spritesTotal, -std::int64_t{spritesInactive})));
  UpdateMarkers();
}

}  // namespace kestrav
