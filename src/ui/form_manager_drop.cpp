// Files dropped on the main window: installed one by one as Add installs a chosen file.
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr const char* kFolderRefused = "\nis a folder, not a GRF file.\nIt is not installed.";
constexpr const char* kNotGrfRefused = "\nis not a GRF file (*.grf).\nIt is not installed.";
constexpr const char* kMissingRefused = "\ncannot be found.\nIt is not installed.";

// The open dialog's filter "*.grf", which takes the extension in any letter case.
bool EndsWithGrf(const std::string& path) {
  constexpr std::string_view kExtension = ".grf";
  if (path.size() < kExtension.size()) return false;
  const std::string_view end = std::string_view(path).substr(path.size() - kExtension.size());
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != kExtension[i]) return false;
  }
  return true;
}

}  // namespace

void TformManager::FormDropFiles(const std::vector<std::string>& paths) {
  if (!view_.IsCommandEnabled(Command::Add)) return;
  FileSystem& files = platform_.files;
  for (const std::string& path : paths) {
    const char* refusal = files.DirectoryExists(path) ? kFolderRefused
                          : !EndsWithGrf(path)        ? kNotGrfRefused
                          : !files.FileExists(path)   ? kMissingRefused
                                                      : nullptr;
    if (refusal) {
      platform_.dialogs.ShowMessage(MessageKind::Warning, path + refusal, MessageButtons::Ok);
    } else {
      InstallChosenGrf(path);
    }
  }
}

}  // namespace kestrav
