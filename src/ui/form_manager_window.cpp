// The main window's lifecycle: its place and size, the close question, and the commands
// of its menu.
#include "environment/settings_store.h"
#include "environment/window_geometry.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr const char* kCloseQuestion =
    "File changed.\n"
    "Do you want to save it?\n"
    "Press 'Yes' to save and exit,\n"
    "'No' to exit without saving,\n"
    "or 'Cancel' to not exit.";

// Panel widths of the status bar before the first resize.
constexpr int kInitialPanelWidth = 150;

}  // namespace

void TformManager::FormCreate() {
  view_.SetBounds(StartingBounds());
  view_.SetStatusPanelWidth(0, kInitialPanelWidth);
  view_.SetStatusPanelWidth(1, kInitialPanelWidth);
  // A failing first load is reported like a failing command, and the window still opens
  // on what was loaded: a stored value that cannot be read must not keep the program from
  // starting, where the settings can mend it.
  try {
    InitializeGrf();
  } catch (const OperationError& error) {
    ShowError(error);
  }
}

WindowBounds TformManager::StartingBounds() {
  SettingsStore settings(platform_.registry);
  settings.Open(false);
  try {
    return InitialWindowBounds(settings, platform_.screen);
  } catch (const OperationError& error) {
    // A geometry value of the wrong type: the defaults, and the close writes good ones.
    ShowError(error);
    SettingsStore unopened(platform_.registry);  // reads as empty
    return InitialWindowBounds(unopened, platform_.screen);
  }
}

void TformManager::ShowError(const OperationError& error) {
  platform_.dialogs.ShowMessage(MessageKind::Error, error.what(), MessageButtons::Ok);
}

void TformManager::FormResize(int width) { view_.SetStatusPanelWidth(0, (width - 20) / 2); }

CloseAction TformManager::FormClose() {
  CloseAction action = CloseAction::Free;
  // After a failed load nothing shown is the player's to save: no question.
  if (fileChanged && !loadFailed) {
    // The close itself is refused whatever the answer; Yes and No end the application.
    action = CloseAction::None;
    switch (platform_.dialogs.Ask(Question::SaveBeforeClose, MessageKind::Confirmation, kCloseQuestion,
                                         MessageButtons::YesNoCancel)) {
      case Answer::Yes:
        // A write failure throws out of here: the window stays and nothing is stored.
        butnGRFSaveClick();
        view_.EndApplication();
        break;
      case Answer::No:
        view_.EndApplication();
        break;
      default:
        break;
    }
  }
  SettingsStore settings(platform_.registry);
  settings.Open(true);
  StoreWindowBounds(settings, view_.Bounds());
  return action;
}

void TformManager::Exit1Click() { view_.RequestClose(); }

void TformManager::RunCommand(Command command) {
  if (!view_.IsCommandEnabled(command)) return;
  switch (command) {
    case Command::Save: butnGRFSaveClick(); break;
    case Command::Add: butnInstallGrfClick(); break;
    case Command::Delete: butnDeleteClick(); break;
    case Command::Quit: Exit1Click(); break;
    case Command::Settings: Settings1Click(); break;
    case Command::FileInfo: butnFileInfoClick(); break;
    case Command::Parameter: butnParameterClick(); break;
    case Command::Notepad: butnNotepadClick(); break;
    case Command::MakeLog: butnMakeLogClick(); break;
    case Command::Help: Help1Click(); break;
    case Command::About: butnInfoClick(); break;
    case Command::Run: butnRunClick(); break;
    case Command::SelectTtdDirectory: butnSelectTTDdirClick(); break;
  }
}

}  // namespace kestrav
