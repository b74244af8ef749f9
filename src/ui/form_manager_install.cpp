// Add: copies a GRF file chosen in the open dialog into the newgrf directory and puts it on
// the list, Off.
#include <algorithm>
#include <cctype>

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
constexpr const char* kBlankNameRefused =
    "You cannot add this file.\n"
    "Its name contains a blank, and TTDPatch cannot load a GRF file whose name has one:\n"
    "the configuration file would read the name as two.\n"
    "Just change its name so that it has no blank and add it again.";
constexpr const char* kSourceDeleted = "File Installed.\nSource file deleted.";
constexpr const char* kSourceNotDeletable = "File Installed.\nbut Program cannot delete source file.";
constexpr const char* kSourceKept = "File Installed.\nSource file not deleted.";

// Where the folder of path ends: just after its last separator, 0 for a bare name.
std::size_t NameStart(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? 0 : cut + 1;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
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
  settings.WriteString(setting::kLastDir, chosen->substr(0, NameStart(*chosen)));
  return InstallChosenGrf(*chosen);
}

bool TformManager::InstallChosenGrf(const std::string& picked) {
  FileSystem& files = platform_.files;
  // A file chosen by its 8.3 short name is installed under its own long name.
  const std::string chosen = files.LongName(picked);
  const std::string name = chosen.substr(NameStart(chosen));
  Dialogs& dialogs = platform_.dialogs;
  if (IsMainGraphicFile(name)) {
    dialogs.ShowMessage(MessageKind::Warning, kMainFileRefused, MessageButtons::Ok);
    return false;
  }
  if (!IsListableGrfName(name)) {
    dialogs.ShowMessage(MessageKind::Warning, kBlankNameRefused, MessageButtons::Ok);
    return false;
  }
  const std::string target = InstalledPath(ReadTtdPath(platform_.registry, true), chosen);
  if (!files.FileExists(target)) return InstallGrf(chosen);
  // A name found only as the short name of another installed file is not that file: the
  // copy would replace the other one.
  const std::string installed = files.LongName(target);
  if (!SameNameIgnoringCase(installed.substr(NameStart(installed)), name)) {
    dialogs.ShowMessage(MessageKind::Error, kCannotInstall, MessageButtons::Ok);
    return false;
  }
  // Date first, then time of day: the order of the fields. A time that cannot be read
  // (one before 1980 among them) counts as the earliest.
  const auto order = files.LastWriteTime(chosen) <=> files.LastWriteTime(target);
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
  if (!IsListableGrfName(source.substr(NameStart(source)))) {
    dialogs.ShowMessage(MessageKind::Warning, kBlankNameRefused, MessageButtons::Ok);
    return false;
  }
  // Through a temporary file, so that a failed copy leaves an installed version whole; a
  // file chosen in newgrf itself is refused rather than copied onto itself.
  if (!files.CopyFileOver(source, InstalledPath(ReadTtdPath(platform_.registry, true), source))) {
    dialogs.ShowMessage(MessageKind::Error, kCannotInstall, MessageButtons::Ok);
    return false;
  }
  if (dialogs.Ask(Question::DeleteSource, MessageKind::Confirmation, kDeleteSourceQuestion, MessageButtons::YesNo) ==
      Answer::Yes) {
    // To the recycle bin, as Delete sends an installed file there.
    if (files.RecycleFile(source)) {
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
