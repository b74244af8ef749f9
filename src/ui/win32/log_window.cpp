#include "ui/win32/log_window.h"

#include <commctrl.h>

namespace kestrav::win32 {
namespace {

constexpr const char* kIncludeBoxes[] = {"Sprites informations", "Modified date",    "File version",
                                         "Graphic ID",           "File Information", "File Description"};

constexpr DWORD kGroup = BS_GROUPBOX;
constexpr DWORD kCentred = SS_CENTER | SS_NOPREFIX;

}  // namespace

LogWindow::LogWindow(Platform& platform, HWND owner, TformManager& manager)
    : FixedForm(platform.dialogs, kLogCreatorCaption, owner, 310, 189, FormPlacement::ScreenCenter),
      form_(platform, *this, manager) {
  CreateControls();
  form_.FormCreate();
}

void LogWindow::CreateControls() {
  Add(WC_BUTTONA, "Include", kGroup | WS_DISABLED, {8, 8, 185, 121}, kIncludeGroupId, "Select what to include in log");
  // The group's boxes stand on the form at their places inside it.
  for (UINT n = 0; n < 6; ++n) {
    const HWND box = Add(WC_BUTTONA, kIncludeBoxes[n], BS_AUTOCHECKBOX | WS_DISABLED | WS_TABSTOP,
                         {8 + 8, 8 + 16 + 16 * static_cast<int>(n), 145, 17}, kFirstIncludeBoxId + n);
    ::SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  }
  constexpr const char* kFormatHint = "Set the output format for Log that will be created";
  Add(WC_BUTTONA, "Output Format", kGroup, {200, 8, 105, 57}, kFormatGroupId, kFormatHint);
  Add(WC_BUTTONA, "TXT", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {208, 22, 95, 19}, kTxtItemId, kFormatHint);
  Add(WC_BUTTONA, "HTML", BS_AUTORADIOBUTTON, {208, 41, 95, 19}, kHtmlItemId, kFormatHint);
  Add(WC_BUTTONA, "Create", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, {200, 72, 105, 25}, kCreateButtonId,
      "Create a log");
  Add(WC_BUTTONA, "Close", BS_PUSHBUTTON | WS_TABSTOP, {200, 104, 105, 25}, kCloseButtonId);
  Add(PROGRESS_CLASSA, "", WS_GROUP, {8, 136, 297, 17}, kProgressBarId);
  Add(WC_STATICA, "Note: 'Include' box is unavabile at the moment.", kCentred, {8, 160, 297, 17}, kFirstNoteId);
  Add(WC_STATICA, "This will be enabled in next releases.", kCentred, {8, 173, 297, 17}, kFirstNoteId + 1);
  SetDefaultAndCancel(kCreateButtonId, kCloseButtonId);
}

void LogWindow::OnCommand(UINT id, UINT code, HWND /*control*/) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kTxtItemId: form_.groupFormatClick(kFormatTxt); break;
    case kHtmlItemId: form_.groupFormatClick(kFormatHtml); break;
    case kCreateButtonId: form_.Button1Click(); break;
    case kCloseButtonId: form_.Button2Click(); break;
    default: break;
  }
}

void LogWindow::SelectFormat(int index) {
  ::CheckDlgButton(handle(), kTxtItemId, index == kFormatTxt ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(handle(), kHtmlItemId, index == kFormatHtml ? BST_CHECKED : BST_UNCHECKED);
}

void LogWindow::SetProgressMax(int max) {
  ::SendDlgItemMessageA(handle(), kProgressBarId, PBM_SETRANGE32, 0, max);
}

void LogWindow::SetProgress(int position) {
  const HWND bar = ::GetDlgItem(handle(), kProgressBarId);
  ::SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  ::UpdateWindow(bar);  // the log is built without a pause for painting
}

}  // namespace kestrav::win32
