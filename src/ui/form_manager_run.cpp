// Run Game and Open in Notepad: the two commands that start another program through the
// shell and never wait for it.
#include "environment/game_launch.h"
#include "environment/settings_store.h"
#include "model/config_file.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr const char* kRunQuestion =
    "File changed.\n"
    "Do you want to save it?\n"
    "Press 'Yes' to save and run game,\n"
    "'No' to run without saving,\n"
    "or 'Cancel' to not run.";
constexpr const char* kGameNotFound = "TTD executable file was not found.\nSet TTD directory in Settings.";
constexpr const char* kPatchNotFound =
    "TTDPatch executable file was not found.\nTTDPatch executable always have to be in TTD directory.";
constexpr const char* kNoTtdDirectory = "TTD directory not found.";
constexpr const char* kNoConfigFile = "newgrf.cfg or newgrfw.cfg file not found.";

// Clears the flag when the save ends, also by an error: a later save by the user must ask
// and report again.
class QuietSaveScope {
 public:
  explicit QuietSaveScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~QuietSaveScope() { flag_ = false; }
  QuietSaveScope(const QuietSaveScope&) = delete;
  QuietSaveScope& operator=(const QuietSaveScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void TformManager::butnRunClick() {
  SettingsStore settings(platform_.registry);
  settings.Open(false);
  // After a failed load the list is not the player's: the game starts on the file as it is.
  if (!loadFailed) {
    bool go = false;
    if (settings.ValueExists(setting::kSaveAndRun) && settings.ReadInteger(setting::kSaveAndRun) == 1) {
      fileChanged = false;
      QuietSaveScope quiet(quietSave);
      butnGRFSaveClick();
      go = true;
    }
    if (fileChanged && saveAccepted) {
      switch (platform_.dialogs.Ask(Question::SaveBeforeRun, MessageKind::Confirmation, kRunQuestion,
                                         MessageButtons::YesNoCancel)) {
        case Answer::Yes:
          butnGRFSaveClick();
          go = true;
          break;
        case Answer::No:
          go = true;
          break;
        default:
          break;
      }
    } else {
      go = true;
    }
    if (!go || !saveAccepted) return;
  }
  if (!settings.ValueExists(setting::kTtdPath)) return;
  const std::string ttdDir = settings.ReadString(setting::kTtdPath);
  const bool game = settings.ReadFlag(setting::kRunType);
  const auto program = FindProgramToRun(platform_.files, ttdDir, game);
  if (!program) {
    platform_.dialogs.ShowMessage(MessageKind::Error, game ? kGameNotFound : kPatchNotFound, MessageButtons::Ok);
    return;
  }
  platform_.shell.Open(*program, "", ttdDir);
}

void TformManager::butnNotepadClick() {
  SettingsStore settings(platform_.registry);
  settings.Open(false);
  if (!settings.ValueExists(setting::kTtdPath)) {
    platform_.dialogs.ShowMessage(MessageKind::Error, kNoTtdDirectory, MessageButtons::Ok);
    return;
  }
  const auto config = FindConfigFile(platform_.files, settings.ReadString(setting::kTtdPath));
  if (!config) {
    platform_.dialogs.ShowMessage(MessageKind::Error, kNoConfigFile, MessageButtons::Ok);
    return;
  }
  // Notepad takes the rest of its command line as the file name, blanks and all.
  platform_.shell.Open("notepad.exe", *config, "");
}

}  // namespace kestrav
