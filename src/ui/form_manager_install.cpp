// Add: copies a GRF file chosen in the open dialog into the newgrf directory and puts it on
// the list, Off.
#include "environment/settings_store.h"
#include "model/list_validation.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr const char* kInstallFilter = "Transport Tycoon Graphic Files (*.grf)|*.grf";
constexpr const char* kMainFileRefused =
    "You cannot add this file.\n"
    "It is probably main TTD file and they have to be in TTD directory.\n"
    "If you are sure that it is not main TTD file, just change its name and add it again.";
constexpr const char* kNewerQuestion =
    "File that you selected already exists.\n"
    "But you are trying to install it's newer version.\n"
    "Do you want to continue?";
constexpr const char* kOlderQuestion =
    "File that you selected already exists.\n"
    "You have newer version of this file.\n"
    "You are trying to replace file with older one.\n"
    "It is highly not recommended.\n"
    "Do you want to replace it?";
constexpr const char* kSameQuestion =
    "File already exists.\n"
    "You are trying to install the exacly the same file.\n"
    "Continue?";
constexpr const char* kDeleteSourceQuestion = "File Installed.\nDo you want to delete source file?";
constexpr const char* kCannotInstall = "Program cannot install file.";
constexpr const char* kSourceDeleted = "File Installed.\nSource file deleted.";
constexpr const char* kSourceNotDeletable = "File Installed.\nbut Program cannot delete source file.";
constexpr const char* kSourceKept = "File Installed.\nSource file not deleted.";

// Where the folder of path ends: just after its last separator, 0 for a bare name.
std::size_t NameStart(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? 0 : cut + 1;
}

std::string InstalledPath(const std::string& ttdDir, const std::string& source) {
  return ttdDir + "\\newgrf\\" + source.substr(NameStart(source));
}

}  // namespace

bool TformManager::butnInstallGrfClick() {
  SettingsStore settings(platform_.registry);
  settings.Open(true);
  FileDialogRequest request;
  request.filter = kInstallFilter;
  if (settings.ValueExists(setting::kLastDir)) request.initialDirectory = settings.ReadString(setting::kLastDir);
  const auto chosen = platform_.dialogs.OpenFile(request);
  if (!chosen) return false;
  const std::size_t nameStart = NameStart(*chosen);
  settings.WriteString(setting::kLastDir, chosen->substr(0, nameStart));
  return InstallChosenGrf(*chosen);
}

bool TformManager::InstallChosenGrf(const std::string& chosen) {
  Dialogs& dialogs = platform_.dialogs;
  if (IsMainGraphicFile(chosen.substr(NameStart(chosen)))) {
    dialogs.ShowMessage(MessageKind::Warning, kMainFileRefused, MessageButtons::Ok);
    return false;
  }
  const std::string target = InstalledPath(ReadTtdPath(platform_.registry, true), chosen);
  if (!platform_.files.FileExists(target)) return InstallGrf(chosen);
  // Date first, then time of day: the order of the fields. A time that cannot be read
  // (one before 1980 among them) counts as the earliest.
  const auto order = platform_.files.LastWriteTime(chosen) <=> platform_.files.LastWriteTime(target);
  const auto ask = [&dialogs](Question question, MessageKind kind, const char* text) {
    return dialogs.Ask(question, kind, text, MessageButtons::YesNo);
  };
  const Answer answer = order > 0   ? ask(Question::ReplaceWithNewer, MessageKind::Confirmation, kNewerQuestion)
                        : order < 0 ? ask(Question::ReplaceWithOlder, MessageKind::Warning, kOlderQuestion)
                                    : ask(Question::ReplaceWithSame, MessageKind::Information, kSameQuestion);
  return answer == Answer::Yes && InstallGrf(chosen);
}

bool TformManager::InstallGrf(const std::string& source) {
  Dialogs& dialogs = platform_.dialogs;
  FileSystem& files = platform_.files;
  // Through a temporary file, so that a failed copy leaves an installed version whole; a
  // file chosen in newgrf itself is refused rather than copied onto itself.
  if (!files.CopyFileOver(source, InstalledPath(ReadTtdPath(platform_.registry, true), source))) {
    dialogs.ShowMessage(MessageKind::Error, kCannotInstall, MessageButtons::Ok);
    return false;
  }
  if (dialogs.Ask(Question::DeleteSource, MessageKind::Confirmation, kDeleteSourceQuestion, MessageButtons::YesNo) ==
      Answer::Yes) {
    if (files.RemoveFile(source)) {
      dialogs.ShowMessage(MessageKind::Information, kSourceDeleted, MessageButtons::Ok);
    } else {
      dialogs.ShowMessage(MessageKind::Warning, kSourceNotDeletable, MessageButtons::Ok);
    }
  } else {
    dialogs.ShowMessage(MessageKind::Information, kSourceKept, MessageButtons::Ok);
  }
  const std::string text = "newgrf/" + source.substr(NameStart(source));
  if (listGrfFiles.FindExact(text) < 0) {
    AddItem(text, GrfState::Off);
    UpdateMarkers();
    view_.ListChanged();
  }
  return true;
}

}  // namespace kestrav
