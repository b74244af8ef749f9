#include "model/list_validation.h"

#include <algorithm>

#include "model/config_file.h"
#include "platform/operation_error.h"

namespace kestrav {
namespace {

GrfState ShownState(GrfState state, bool inactiveAvailable) {
  if (state == GrfState::Inactive && !inactiveAvailable) return GrfState::Active;
  return state;
}

bool HoldsGrfFiles(FileSystem& files, const std::string& dir) {
  try {
    return !files.ListFiles(dir, "*.grf").empty();
  } catch (const OperationError&) {
    // A directory that cannot be read shows no GRF file, as an empty one would.
    return false;
  }
}

std::string DirectoryOf(const std::string& path) {
  const auto cut = path.find_last_of('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

}  // namespace

bool IsMainGraphicFile(const std::string& fileName) {
  return std::find(MainGraphicFiles.begin(), MainGraphicFiles.end(), fileName) != MainGraphicFiles.end();
}

void MergeConfigLines(FileSystem& files, Dialogs& dialogs, const std::string& ttdDir, std::vector<std::string>& lines,
                      GrfCheckList& list) {
  if (!lines.empty()) CleanConfigLines(lines);
  if (lines.empty()) return;

  std::string missing;
  bool mainGraphics = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    GrfEntry entry = ParseConfigLine(lines[i]);
    const std::string path = ReplaceAll(entry.path, '/', '\\');
    if (IsMainGraphicFile(FileNameOf(path))) {
      entry.state = GrfState::Off;
      mainGraphics = true;
    }
    const std::string file = ttdDir + "\\" + path;
    if (!files.FileExists(file)) {
      missing += file + "\n";
      continue;
    }
    const int found = list.FindIgnoringCase(entry.path);
    if (found < 0) {
      // Files outside newgrf are no items and vanish quietly, except that a file in a
      // directory without any GRF file is named.
      if (!HoldsGrfFiles(files, DirectoryOf(file))) {
        dialogs.ShowMessage(MessageKind::Error, "File not exists:\n" + path, MessageButtons::Ok);
      }
      continue;
    }
    list.SetState(found, ShownState(entry.state, list.inactiveAvailable));
    // The target is the line's index, not the number of entries placed so far: items no
    // line names fill the places of dropped lines. A target past the end means the end.
    const int last = list.Count() - 1;
    const int target = i < static_cast<std::size_t>(last) ? static_cast<int>(i) : last;
    list.Move(found, target);
    if (!entry.parameters.empty()) list.SetText(target, list.Item(target).text + " " + entry.parameters);
  }

  if (!missing.empty()) {
    dialogs.ShowMessage(MessageKind::Warning, "Files:\n" + missing + "were not found.", MessageButtons::Ok);
  }
  if (mainGraphics) dialogs.ShowMessage(MessageKind::Warning, kMainGraphicsWarning, MessageButtons::Ok);
}

}  // namespace kestrav
