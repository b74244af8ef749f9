#include "environment/directory_selection.h"

namespace kestrav {

bool HoldsGameOrPatch(FileSystem& files, const std::string& path) {
  for (const auto marker : kDirectoryMarkers) {
    if (files.FileExists(path + "\\" + std::string(marker))) return true;
  }
  return false;
}

}  // namespace kestrav
