#pragma once
// The texts of the main window's two status bar panels, which show the sprite totals, and
// the limit the active sprites are held against.
#include <cstdint>
#include <string>

namespace kestrav {

// The most active sprites the patch is known to load.
inline constexpr std::int64_t kActiveSpriteLimit = 11483;

inline constexpr int kSpritePanelWidth = 150;
// The panels before the first count.
inline constexpr const char* kTotalSpritesPanelText = "Total Sprites:";
inline constexpr const char* kActiveSpritesPanelText = "Active Sprites:";

// "Total Sprites: " and "Active Sprites: " followed by the number in decimal.
std::string TotalSpritesText(int total);
std::string ActiveSpritesText(int active);

// The error text for an entry whose file is missing: its path with "/" separators.
std::string MissingGrfFileText(const std::string& entryText);

}  // namespace kestrav
