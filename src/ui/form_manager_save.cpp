#include <cstdint>

#include "environment/installation_detection.h"
#include "environment/settings_store.h"
#include "grf/sprite_totals.h"
#include "model/config_file.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr const char* kSpriteLimitQuestion =
    "There are more active sprites than 11483!\n"
    "TTDPatch may not be able to load all graphics.\n"
    "That also depends on a game and climate you will play.\n"
    "Check that limit while playing in TTDPatch's 'New Graphic Status' window.\n"
    "Do you want to continue?";
constexpr const char* kOverwriteQuestion = "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?";
constexpr const char* kWindowsSaved = "'newgrfw.cfg' saved";
constexpr const char* kDosSaved = "'newgrf.cfg' saved";
constexpr const char* kUnknownEdition = "Kestrav can't recognize your TTD version.";

}  // namespace

SaveOutcome TformManager::butnGRFSaveClick() {
  // The list of a failed load is not the player's: it must not replace the file.
  if (loadFailed) return SaveOutcome::NotLoaded;
  SettingsStore settings(platform_.registry);
  settings.Open(true);
  const std::string ttdDir = settings.ReadString(setting::kTtdPath);
  const bool questions = !quietSave && !settings.ReadFlag(setting::kNoOverwriteConfirmation);
  Dialogs& dialogs = platform_.dialogs;
  FileSystem& files = platform_.files;

  saveAccepted = true;
  // Asked even in a quiet save: the patch may fail to load what is about to be written.
  if (ActiveSprites() > kActiveSpriteLimit &&
      dialogs.Ask(Question::SpriteLimit, MessageKind::Warning, kSpriteLimitQuestion, MessageButtons::YesNo) !=
          Answer::Yes) {
    saveAccepted = false;
    return SaveOutcome::SpriteLimitDeclined;
  }

  const std::vector<GrfEntry> entries = listGrfFiles.Entries();
  const std::string windowsFile = ttdDir + "\\" + kWindowsConfigName;
  const std::string dosFile = ttdDir + "\\" + kDosConfigName;
  const bool replaces = files.FileExists(windowsFile) || files.FileExists(dosFile);
  const bool declined =
      replaces && questions &&
      dialogs.Ask(Question::OverwriteConfig, MessageKind::Confirmation, kOverwriteQuestion, MessageButtons::YesNo) !=
          Answer::Yes;
  SaveOutcome outcome = SaveOutcome::OverwriteDeclined;
  if (!declined) {
    const auto edition = RecogniseEdition(files, ttdDir);
    if (!edition) {
      dialogs.ShowMessage(MessageKind::Error, kUnknownEdition, MessageButtons::Ok);
      outcome = SaveOutcome::EditionUnknown;
    } else {
      const bool windows = *edition == TtdEdition::Windows;
      WriteConfigFile(files, windows ? windowsFile : dosFile, entries);
      outcome = SaveOutcome::Written;
      if (questions) {
        dialogs.ShowMessage(MessageKind::Information, windows ? kWindowsSaved : kDosSaved, MessageButtons::Ok);
      }
    }
  }
  // Also after a No or an unknown edition, so that closing right after any save that got
  // past the sprite question asks nothing more.
  fileChanged = false;
  return outcome;
}

}  // namespace kestrav
