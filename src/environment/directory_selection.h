#pragma once
// Which folders the folder browser lets the user confirm as the TTD directory.
#include <array>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kestrav {

inline constexpr const char* kBrowseTitle = "Select Transport Tycoon Deluxe Directory";

// The game's and the patch's executables, in the order they are looked for.
inline constexpr std::array<std::string_view, 7> kDirectoryMarkers = {
    "GameGFX.exe", "tycoon.exe", "ttdx.exe", "ttdlx.exe", "ttd.exe", "ttdpatch.exe", "ttdpatchw.exe",
};

// The browser's selection check (dlgBrowseSelChanged): true when a file, not a directory,
// named after one of the markers exists in path.
bool HoldsGameOrPatch(FileSystem& files, const std::string& path);

}  // namespace kestrav
