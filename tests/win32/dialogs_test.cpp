// The real message boxes and folder browser, answered by a timer that finds the dialog on
// this thread, reads it and presses one of its buttons.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_dialogs.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using namespace std::string_literals;

// Answers the dialog of this thread once it is up (the dialog's own loop runs the timer)
// and returns true when done; after some seconds the dialog is cancelled, so that a box left
// open cannot hang the test program.
std::function<bool(HWND)> answer;
int ticks = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || !answer) return;
  if (++ticks > 200) {
    ::EndDialog(dialog, IDCANCEL);
  } else if (answer(dialog)) {
    answer = nullptr;
  }
}

// What show gives back while answerer answers the dialog it brings up.
template <class Show>
auto Answered(std::function<bool(HWND)> answerer, Show show) {
  answer = std::move(answerer);
  ticks = 0;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Tick);
  const auto result = show();
  ::KillTimer(nullptr, timer);
  answer = nullptr;
  return result;
}

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST(Win32MessageBox, ShowsCaptionTextAndButtonsAndGivesTheAnswer) {
  const struct {
    MessageKind kind;
    MessageButtons buttons;
    std::vector<int> shown;  // the box's buttons
    int press;               // IDCLOSE: closed from its title bar
    Answer answer;
  } cases[] = {
      // Every box waits a moment for a window manager that is not there: one box of each kind.
      {MessageKind::Warning, MessageButtons::YesNo, {IDYES, IDNO}, IDYES, Answer::Yes},
      {MessageKind::Error, MessageButtons::Ok, {IDOK}, IDCLOSE, Answer::Ok},
      {MessageKind::Information, MessageButtons::Ok, {IDOK}, IDOK, Answer::Ok},
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

TEST(Win32FolderBrowser, ChecksTheSelectionAndReturnsTheChosenFolder) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    const test::TempDir dir;
    Win32Dialogs dialogs;
    std::string checked;
    std::optional<bool> okEnabled;
    // Wine's tree may still move the selection while it fills: selects the folder again
    // until the check has seen it.
    const auto chooser = [&](HWND browser) {
      if (checked != dir.path()) {
        ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(dir.path().c_str()));
        return false;
      }
      okEnabled = ::IsWindowEnabled(::GetDlgItem(browser, IDOK)) != FALSE;
      ::PostMessageA(browser, WM_COMMAND, IDOK, 0);
      return true;
    };
    const auto accept = [&](const std::string& path) { return (checked = path) == dir.path(); };
    EXPECT_EQ(dir.path(), Answered(chooser, [&] { return dialogs.BrowseForFolder("Pick", dir.path(), accept); }));
    EXPECT_EQ(true, okEnabled);
  }
  ::CoUninitialize();
}

// The name of the folder a browser shows selected.
std::string SelectedName(HWND browser) {
  const HWND tree = ::FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
  char name[MAX_PATH] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = name;
  item.cchTextMax = sizeof name;
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return name;
}

TEST(Win32FolderBrowser, OpensAgainOnAConfirmedFolderTheCheckRefuses) {
  const test::TempDir good;
  const std::string refused = good.Join("refused");
  ::CreateDirectoryA(refused.c_str(), nullptr);
  Win32Dialogs dialogs;
  std::vector<std::string> checked;
  const auto accept = [&](const std::string& path) {
    checked.push_back(path);
    return path == good.path();
  };
  HWND current = nullptr;
  int opened = 0;
  std::string preselected;  // what the second browser showed selected when it came up
  // OK on the refused folder, pressed as a platform that ignores the check lets it be, then on
  // the good one in the browser that opens again.
  const auto chooser = [&](HWND browser) {
    if (browser != current && ++opened == 2) preselected = SelectedName(browser);
    current = browser;
    const std::string& target = opened == 1 ? refused : good.path();
    if (checked.empty() || checked.back() != target) {
      ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(target.c_str()));
      return false;
    }
    ::PostMessageA(browser, WM_COMMAND, IDOK, 0);
    return opened == 2;
  };
  EXPECT_EQ(good.path(), Answered(chooser, [&] { return dialogs.BrowseForFolder("Pick", "", accept); }));
  EXPECT_EQ(2, opened);
  EXPECT_EQ("refused", preselected);
}

}  // namespace
}  // namespace kestrav
