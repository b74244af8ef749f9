#include "ui/win32/settings_window.h"

namespace kestrav::win32 {
namespace {

enum : UINT {
  kClose = 100,
  kChangeDirectory,
  kGroupRun,
  kRunTtd,
  kRunTtdPatch,
  kSaveAndRun,
  kGroupAction,
  kActionParam,
  kActionInfo,
  kPath,
  kNoOverwriteConfirmation,
  kPathLabel,
};

constexpr PixelRect kGroupRunRect{8, 72, 313, 41};
constexpr PixelRect kGroupActionRect{8, 120, 313, 41};

// A place given in a group box's coordinates, in the form's: the radio buttons are the form's
// own children laid over their group box, as in a dialog template.
constexpr PixelRect In(PixelRect group, PixelRect rect) {
  return PixelRect{group.left + rect.left, group.top + rect.top, rect.width, rect.height};
}

constexpr DWORD kButton = WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
constexpr DWORD kCheckBox = WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
constexpr DWORD kGroupBox = WS_GROUP | BS_GROUPBOX;
// The first radio button starts its group; the selected button of a group is its tab stop.
constexpr DWORD kFirstRadio = WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kPathBox = WS_TABSTOP | WS_GROUP | ES_READONLY | ES_AUTOHSCROLL;

UINT IdOf(SettingsBox box) { return box == SettingsBox::SaveAndRun ? kSaveAndRun : kNoOverwriteConfirmation; }

}  // namespace

SettingsWindow::SettingsWindow(Platform& platform, TformManager& manager, HWND owner)
    : FixedForm(platform.dialogs, "Settings", owner, 327, 199, FormPlacement::OwnerCenter),
      bold_(CreateTahoma8(true)),
      form_(platform, manager, *this) {
  Add("BUTTON", "Close", kButton, {216, 168, 105, 25}, kClose, "Closing Options window");
  Add("BUTTON", "Change Directory", kButton, {8, 168, 105, 25}, kChangeDirectory, "Changing TTD directory");
  Add("BUTTON", "After pressing 'Run Game' button", kGroupBox, kGroupRunRect, kGroupRun);
  Add("BUTTON", "Run TTD", kFirstRadio, In(kGroupRunRect, {192, 16, 113, 17}), kRunTtd,
      "TTD will be started after pressing 'Run Game'");
  Add("BUTTON", "Run TTDPatch", kRadio, In(kGroupRunRect, {8, 16, 113, 17}), kRunTtdPatch,
      "TTDPatch will be started after pressing 'Run Game'");
  Add("BUTTON", "Clicking on the 'Run Game' button will automatically save file", kCheckBox, {8, 48, 313, 12},
      kSaveAndRun, "If it is checked then the file will be saved without any question before the game starts");
  Add("BUTTON", "Default action for Double Click on the list", kGroupBox, kGroupActionRect, kGroupAction);
  Add("BUTTON", "Changing Paramter", kFirstRadio, In(kGroupActionRect, {192, 16, 113, 17}), kActionParam);
  Add("BUTTON", "File Information", kRadio, In(kGroupActionRect, {8, 16, 113, 17}), kActionInfo);
  Add("EDIT", "", kPathBox, {64, 8, 257, 21}, kPath, "Currently directory of TTD you set, if it is wrong, change it",
      nullptr, WS_EX_CLIENTEDGE);
  Add("BUTTON", "No Overwrite Confirmations", kCheckBox, {8, 32, 313, 12}, kNoOverwriteConfirmation,
      "If it is checked then no overwrite confirmation and information will be shown");
  const HWND label = Add("STATIC", "TTD Path", SS_NOPREFIX, FitText("TTD Path", bold_.get(), 8, 11), kPathLabel);
  ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
  // A group box lets the mouse through to the form, so its hint belongs to the form's area.
  HintArea(kGroupActionRect, kGroupAction, "Decide what will show when you double click on any item on the list");
  SelectRunTtd(false);
  SelectActionParam(false);
}

void SettingsWindow::SelectRunTtd(bool runTtd) {
  ::CheckRadioButton(handle(), kRunTtd, kRunTtdPatch, runTtd ? kRunTtd : kRunTtdPatch);
}

void SettingsWindow::SelectActionParam(bool actionParam) {
  ::CheckRadioButton(handle(), kActionParam, kActionInfo, actionParam ? kActionParam : kActionInfo);
}

void SettingsWindow::SetChecked(SettingsBox box, bool checked) {
  ::CheckDlgButton(handle(), static_cast<int>(IdOf(box)), checked ? BST_CHECKED : BST_UNCHECKED);
}

bool SettingsWindow::IsChecked(SettingsBox box) const {
  return ::IsDlgButtonChecked(handle(), static_cast<int>(IdOf(box))) == BST_CHECKED;
}

void SettingsWindow::SetPathText(const std::string& text) { ::SetDlgItemTextA(handle(), kPath, text.c_str()); }

void SettingsWindow::OnCommand(UINT id, UINT code, HWND /*control*/) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kClose: form_.butnCloseClick(); break;
    case kChangeDirectory: form_.Button1Click(); break;
    case kRunTtd: form_.itemRunTTDClick(); break;
    case kRunTtdPatch: form_.itemRunTTDPatchClick(); break;
    case kSaveAndRun: form_.cboxSaveAndRunClick(); break;
    case kActionParam: form_.itemActionParamClick(); break;
    case kActionInfo: form_.itemActionInfoClick(); break;
    case kNoOverwriteConfirmation: form_.cboxNoOverwriteConfirmationClick(); break;
    default: break;
  }
}

}  // namespace kestrav::win32
