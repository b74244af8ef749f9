// The real message boxes, folder browser, input box and open dialog, answered by a timer that
// finds the dialog on this thread, reads it and acts on it.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/win32_dialogs.h"
#include "support/temp_dir.h"
#include "support/win32_dialog_answerer.h"

namespace kestrav {
namespace {

using namespace std::string_literals;
using test::Answered;
using test::TextOf;

TEST(Win32MessageBox, ShowsCaptionTextAndButtonsAndGivesTheAnswer) {
  const struct {
    MessageKind kind;
    MessageButtons buttons;
    std::vector<int> shown;  // the box's buttons
    int press;               // IDCLOSE: closed from its title bar
    Answer answer;
  } cases[] = {
      // Every box waits a moment for a window manager that is not there: one box per way to answer.
      {MessageKind::Warning, MessageButtons::YesNo, {IDYES, IDNO}, IDYES, Answer::Yes},
      {MessageKind::Error, MessageButtons::Ok, {IDOK}, IDCLOSE, Answer::Ok},
      {MessageKind::Confirmation, MessageButtons::YesNoCancel, {IDYES, IDNO, IDCANCEL}, IDCLOSE, Answer::Cancel},
  };
  const HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                       nullptr, nullptr);
  bool owned = false;
  for (const auto& c : cases) {
    const HWND boxOwner = (owned = !owned) ? owner : nullptr;
    Win32Dialogs dialogs(boxOwner);
    std::string caption, text;
    std::vector<int> shown;
    HWND ownedBy = nullptr;
    const auto reader = [&](HWND box) {
      caption = TextOf(box);
      text = TextOf(::GetDlgItem(box, 0xFFFF));
      for (const int button : {IDOK, IDYES, IDNO, IDCANCEL}) {
        if (::GetDlgItem(box, button)) shown.push_back(button);
      }
      ownedBy = ::GetWindow(box, GW_OWNER);
      ::PostMessageA(box, c.press == IDCLOSE ? WM_CLOSE : WM_COMMAND, c.press == IDCLOSE ? 0 : c.press, 0);
      return true;
    };
    EXPECT_EQ(c.answer, Answered(reader, [&] { return dialogs.ShowMessage(c.kind, "Line one\nline two", c.buttons); }));
    EXPECT_EQ(std::tuple(std::string(CaptionOf(c.kind)), "Line one\nline two"s, c.shown, boxOwner),
              std::tuple(caption, text, shown, ownedBy));
  }
  ::DestroyWindow(owner);
}

// The name of the folder a browser shows selected.
std::string SelectedName(HWND browser) {
  const HWND tree = ::FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
  char name[MAX_PATH] = {};
  const auto selected = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  TVITEMA item{TVIF_TEXT, selected, 0, 0, name, sizeof name, 0, 0, 0, 0};
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return name;
}

TEST(Win32FolderBrowser, OpensAgainOnAConfirmedFolderTheCheckRefusesAndReturnsTheOneItTakes) {
  const test::TempDir good;
  const std::string refused = good.Join("refused");
  ::CreateDirectoryA(refused.c_str(), nullptr);
  std::string checked, preselected;  // the folder checked last; what the second browser showed selected
  const auto accept = [&](const std::string& path) { return (checked = path) == good.path(); };
  HWND current = nullptr;
  int opened = 0;
  bool okEnabled = false;
  // OK on the refused folder, pressed as a platform that ignores the check lets it be, then on
  // the good one in the browser that opens again. Wine's tree may still move the selection
  // while it fills: selects the folder again until the check has seen it.
  const auto chooser = [&](HWND browser) {
    if (browser != current && ++opened == 2) preselected = SelectedName(browser);
    current = browser;
    const std::string& target = opened == 1 ? refused : good.path();
    if (checked != target) {
      ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(target.c_str()));
      return false;
    }
    okEnabled = ::IsWindowEnabled(::GetDlgItem(browser, IDOK)) != FALSE;
    ::PostMessageA(browser, WM_COMMAND, IDOK, 0);
    return opened == 2;
  };
  EXPECT_EQ(good.path(), Answered(chooser, [&] { return Win32Dialogs().BrowseForFolder("Pick", "", accept); }));
  EXPECT_EQ(std::tuple(2, std::string("refused"), true), std::tuple(opened, preselected, okEnabled));
}

TEST(Win32InputBox, TakesTypedTextUpTo255CharactersAndEndsWithEnterOrEsc) {
  const std::string longPrompt = "newgrf/" + std::string(70, 'x') + ".grf parameters:";
  const std::tuple<std::string, std::string, std::string, std::optional<std::string>> cases[] = {
      // prompt, field, typed (replacing the field's text), then Enter, or Esc where nothing is entered
      {"p:", "", std::string(300, '7'), std::string(255, '7')},
      {longPrompt, std::string(300, '1'), "9", std::nullopt},  // a longer text is shown whole
  };
  for (const auto& [prompt, field, typed, entered] : cases) {
    SCOPED_TRACE(prompt);
    std::string seen, shownPrompt;
    int waits = 0;
    const auto acting = [&](HWND box) {
      const HWND edit = ::GetDlgItem(box, 101);
      if (::GetFocus() != edit && ++waits < 20) return false;  // the focus may follow the showing
      LOGFONTA font{};
      ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(edit, WM_GETFONT, 0, 0)), sizeof font, &font);
      const auto defaultId = LOWORD(::SendMessageA(box, DM_GETDEFID, 0, 0));
      seen = TextOf(box) + "|" + TextOf(edit) + "|" + font.lfFaceName + std::to_string(font.lfHeight) +
             (::GetFocus() == edit ? "|focused|" : "||") + std::to_string(defaultId);
      shownPrompt = TextOf(::GetDlgItem(box, 100));
      for (const char c : typed) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
      ::PostMessageA(edit, WM_KEYDOWN, entered ? VK_RETURN : VK_ESCAPE, 1);
      return true;
    };
    EXPECT_EQ(entered, Answered(acting, [&] { return Win32Dialogs().InputBox("Parameters", prompt, field); }));
    EXPECT_EQ("Parameters|" + field + "|Tahoma-11|focused|1", seen) << "caption, field, font, focus, default button";
    // Wrapped inside the long name and before "parameters:".
    EXPECT_EQ(prompt == longPrompt, std::count(shownPrompt.begin(), shownPrompt.end(), '\n') >= 2) << shownPrompt;
  }
}

TEST(Win32OpenDialog, StartsInTheGivenFolderAndGivesTheFullPathOfTheNameTyped) {
  test::TempDir downloads;
  downloads.Write("set.grf", "grf");
  FileDialogRequest request;
  request.filter = "Transport Tycoon Graphic Files (*.grf)|*.grf";
  request.initialDirectory = downloads.path() + "\\";
  const auto typeName = [](HWND dialog) {
    const HWND combo = ::GetDlgItem(dialog, cmb13);
    ::SetWindowTextA(combo ? combo : ::GetDlgItem(dialog, edt1), "set.grf");
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  };
  EXPECT_EQ(downloads.Join("set.grf"), Answered(typeName, [&] { return Win32Dialogs().OpenFile(request); }));
}

}  // namespace
}  // namespace kestrav
