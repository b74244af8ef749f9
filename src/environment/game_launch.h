#pragma once
// What Run Game starts in a TTD directory.
#include <array>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace kestrav {

// The game's executables and the patch's, in the order they are looked for.
inline constexpr std::array<const char*, 4> kGameExecutables = {"GameGFX.exe", "ttdx.exe", "ttdlx.exe", "tycoon.exe"};
inline constexpr std::array<const char*, 2> kPatchExecutables = {"ttdpatchw.exe", "ttdpatch.exe"};

// ttdDir + "\\" + the first executable of the game (or of the patch) that exists.
std::optional<std::string> FindProgramToRun(FileSystem& files, const std::string& ttdDir, bool game);

}  // namespace kestrav
