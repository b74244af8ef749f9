#include "environment/game_launch.h"

#include <span>

namespace kestrav {
namespace {

std::optional<std::string> FirstExisting(FileSystem& files, const std::string& ttdDir,
                                         std::span<const char* const> names) {
  for (const char* name : names) {
    const std::string path = ttdDir + "\\" + name;
    if (files.FileExists(path)) return path;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FindProgramToRun(FileSystem& files, const std::string& ttdDir, bool game) {
  return game ? FirstExisting(files, ttdDir, kGameExecutables) : FirstExisting(files, ttdDir, kPatchExecutables);
}

}  // namespace kestrav
