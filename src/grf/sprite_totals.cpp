#include "grf/sprite_totals.h"

#include "model/grf_entry.h"

namespace kestrav {

std::string TotalSpritesText(int total) { return std::string(kTotalSpritesPanelText) + " " + std::to_string(total); }

std::string ActiveSpritesText(int active) {
  return std::string(kActiveSpritesPanelText) + " " + std::to_string(active);
}

std::string MissingGrfFileText(const std::string& entryText) {
  return "Cannot find file:\n" + ReplaceAll(EntryPath(entryText), '\\', '/');
}

}  // namespace kestrav
