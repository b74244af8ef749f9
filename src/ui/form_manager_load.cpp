#include <algorithm>

#include "environment/directory_selection.h"
#include "environment/installation_detection.h"
#include "environment/settings_store.h"
#include "model/config_file.h"
#include "model/list_validation.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr const char* kWelcome =
    "Welcome at Kestrav v2.1\n"
    "This message appears because Kestrav cannot find TTD.\n"
    "Please select TTD directory now, or later from Settings window.";
constexpr const char* kNoGrfFiles =
    "There are no files in 'newgrf' directory.\n"
    "This directory will contain installed GRF files in future.";
constexpr const char* kNoConfigFile =
    "File 'newgrf.cfg' or 'newgrfw.cfg' was not found in your TTD directory.\n"
    "It will be created when you use Save option (Ctrl+S).";

constexpr const char* kBlankNamesHeading = "Files in 'newgrf' directory whose names contain a blank:\n";
constexpr const char* kBlankNamesWhy =
    "TTDPatch cannot load them: the configuration file would read each name as two.\n"
    "They are not listed. Rename them without blanks to make them usable.";

// "TTD Path" texts that stand for no directory.
bool NamesNoDirectory(const std::string& ttdPath) { return ttdPath.empty() || ttdPath == "0" || ttdPath == " "; }

// The names of the ordinary "*.grf" files of dir, in the system's order ignoring case.
std::vector<std::string> InstalledGrfFiles(FileSystem& files, Locale& locale, const std::string& dir) {
  std::vector<std::string> names = files.ListFiles(dir, "*.grf");
  std::stable_sort(names.begin(), names.end(), [&locale](const std::string& a, const std::string& b) {
    return locale.CompareIgnoringCase(a, b) < 0;
  });
  return names;
}

// Tells the window to redraw the list however the load ends: a load stopped by an error
// still shows what it had built.
class ListRedraw {
 public:
  explicit ListRedraw(ManagerView& view) : view_(view) {}
  ~ListRedraw() { view_.ListChanged(); }
  ListRedraw(const ListRedraw&) = delete;
  ListRedraw& operator=(const ListRedraw&) = delete;

 private:
  ManagerView& view_;
};

// Marks the load failed until it has run to its end: a list that a load left half built is
// not the player's, and Save stays disabled while it is shown.
class LoadOutcome {
 public:
  LoadOutcome(bool& failed, ManagerView& view) : failed_(failed), view_(view) { failed_ = true; }
  ~LoadOutcome() {
    if (failed_) view_.SetCommandEnabled(Command::Save, false);
  }
  LoadOutcome(const LoadOutcome&) = delete;
  LoadOutcome& operator=(const LoadOutcome&) = delete;
  void Succeeded() { failed_ = false; }

 private:
  bool& failed_;
  ManagerView& view_;
};

}  // namespace

void TformManager::InitializeGrf() {
  LoadOutcome outcome(loadFailed, view_);
  quietSave = false;
  SettingsStore settings(platform_.registry);
  settings.Open(true);

  std::string ttdDir;
  bool directorySet = false;
  if (!settings.ValueExists(setting::kTtdPath)) {
    platform_.dialogs.ShowMessage(MessageKind::Information, kWelcome, MessageButtons::Ok);
    FileSystem& files = platform_.files;
    const auto chosen =
        platform_.dialogs.BrowseForFolder(kBrowseTitle, dlgBrowseLastDirectory,
                                          [&files](const std::string& path) { return HoldsGameOrPatch(files, path); });
    // Written on a cancel too, so that the welcome comes only once.
    settings.WriteString(setting::kTtdPath, chosen.value_or(""));
    if (chosen) {
      dlgBrowseLastDirectory = *chosen;
      ttdDir = *chosen;
      directorySet = true;
    }
  } else {
    ttdDir = settings.ReadString(setting::kTtdPath);
    directorySet = !NamesNoDirectory(ttdDir);
  }

  ListRedraw redraw(view_);
  if (!directorySet) {
    view_.ShowSelectDirectoryButton(true);
    for (const Command command : {Command::Add, Command::Save, Command::FileInfo, Command::Parameter, Command::Delete,
                                  Command::Notepad, Command::MakeLog, Command::Run}) {
      view_.SetCommandEnabled(command, false);
    }
    // The entries of an earlier directory stay in sight, disabled.
    listGrfFiles.enabled = false;
    CountAllSprites(true, 0);
  } else {
    if (probePatchVersion) ProbePatchVersion(platform_, ttdDir, listGrfFiles.inactiveAvailable, kProbeWaitMs);
    view_.ShowSelectDirectoryButton(false);
    // Delete, File Information and Set Parameter follow the selection instead.
    for (const Command command : {Command::Add, Command::Save, Command::MakeLog, Command::Notepad, Command::Run}) {
      view_.SetCommandEnabled(command, true);
    }
    listGrfFiles.Clear();
    analyses_.clear();
    configEdition_.reset();
    UpdateMarkers();  // none, until the recount has read the new list's files
    listGrfFiles.enabled = true;

    FileSystem& files = platform_.files;
    const std::string grfDir = ttdDir + "\\newgrf";
    // Also brings back a TTD directory that has disappeared.
    if (!files.DirectoryExists(grfDir)) files.CreateDirectories(grfDir);
    // From here on nothing on disk changes: each directory is read once, however new.
    const ListingsHeld held(files);
    auto names = InstalledGrfFiles(files, platform_.locale, grfDir);
    // A name with a blank would come back from the configuration file as another file with
    // parameters: such a file is named once and never becomes an item.
    const auto unusable = std::stable_partition(names.begin(), names.end(), IsListableGrfName);
    if (unusable != names.end()) {
      std::string text = kBlankNamesHeading;
      for (auto name = unusable; name != names.end(); ++name) text += *name + "\n";
      platform_.dialogs.ShowMessage(MessageKind::Warning, text + kBlankNamesWhy, MessageButtons::Ok);
      names.erase(unusable, names.end());
    }
    if (names.empty()) platform_.dialogs.ShowMessage(MessageKind::Warning, kNoGrfFiles, MessageButtons::Ok);
    for (const auto& name : names) listGrfFiles.Add("newgrf/" + name, GrfState::Off);

    auto lines = ReadConfigLines(files, ttdDir);
    if (const auto config = FindConfigFile(files, ttdDir); lines && config) configEdition_ = ConfigEdition(*config);
    if (!lines) {
      platform_.dialogs.ShowMessage(MessageKind::Warning, kNoConfigFile, MessageButtons::Ok);
      lines.emplace();
    }
    CheckGrfFiles(*lines);
    CountAllSprites(true, 0);
  }
  outcome.Succeeded();
}

void TformManager::CheckGrfFiles(std::vector<std::string>& lines) {
  SettingsStore settings(platform_.registry);
  settings.Open(true);
  const std::string ttdDir = settings.ReadString(setting::kTtdPath);
  MergeConfigLines(platform_.files, platform_.dialogs, platform_.locale, ttdDir, lines, listGrfFiles);
}

}  // namespace kestrav
