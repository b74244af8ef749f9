// The real message boxes and folder browser, answered by a timer that finds the box on
// this thread, reads it and presses one of its buttons.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_dialogs.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

// The visible dialog window of this thread, or null while it is not up yet.
HWND FindDialog() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs answer on the dialog as soon as it is up (the dialog's own loop runs the timer).
class DialogAnswerer {
 public:
  explicit DialogAnswerer(std::function<bool(HWND)> answer) {
    current_ = this;
    answer_ = std::move(answer);
    timer_ = ::SetTimer(nullptr, 0, 50, Tick);
  }
  ~DialogAnswerer() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current_ || current_->done_) return;
    const HWND dialog = FindDialog();
    // Gives up after a few seconds: a box left open would hang the test program.
    if (++current_->ticks_ > 200 && dialog) ::EndDialog(dialog, IDCANCEL);
    if (dialog && current_->answer_(dialog)) current_->done_ = true;
  }
  static inline DialogAnswerer* current_ = nullptr;
  std::function<bool(HWND)> answer_;
  UINT_PTR timer_ = 0;
  int ticks_ = 0;
  bool done_ = false;
};

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

void Press(HWND dialog, int button) {
  if (button == IDCLOSE) {
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    return;
  }
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
}

TEST(Win32MessageBox, ShowsCaptionTextAndButtonsAndGivesTheAnswer) {
  struct Case {
    MessageKind kind;
    MessageButtons buttons;
    std::vector<int> shown;  // the box's buttons
    int press;
    Answer answer;
  };
  const Case cases[] = {
      {MessageKind::Warning, MessageButtons::Ok, {IDOK}, IDOK, Answer::Ok},
      {MessageKind::Error, MessageButtons::Ok, {IDOK}, IDCLOSE, Answer::Ok},
      {MessageKind::Information, MessageButtons::Ok, {IDOK}, IDOK, Answer::Ok},
      {MessageKind::Confirmation, MessageButtons::YesNo, {IDYES, IDNO}, IDYES, Answer::Yes},
      {MessageKind::Warning, MessageButtons::YesNo, {IDYES, IDNO}, IDNO, Answer::No},
      {MessageKind::Confirmation, MessageButtons::YesNoCancel, {IDYES, IDNO, IDCANCEL}, IDCLOSE, Answer::Cancel},
  };
  const HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                       nullptr, nullptr);
  // Every box waits a moment for a window manager that is not there: few boxes, owned and not.
  bool owned = false;
  for (const Case& test : cases) {
    const HWND boxOwner = (owned = !owned) ? owner : nullptr;
    Win32Dialogs dialogs(boxOwner);
    {
      std::string caption, text;
      std::vector<int> shown;
      HWND ownedBy = nullptr;
      const DialogAnswerer answerer([&](HWND box) {
        caption = TextOf(box);
        text = TextOf(::GetDlgItem(box, 0xFFFF));
        for (const int button : {IDOK, IDYES, IDNO, IDCANCEL}) {
          if (::GetDlgItem(box, button)) shown.push_back(button);
        }
        ownedBy = ::GetWindow(box, GW_OWNER);
        Press(box, test.press);
        return true;
      });
      EXPECT_EQ(test.answer, dialogs.ShowMessage(test.kind, "Line one\nline two", test.buttons));
      EXPECT_EQ(CaptionOf(test.kind), caption);
      EXPECT_EQ("Line one\nline two", text);
      EXPECT_EQ(test.shown, shown) << caption;
      EXPECT_EQ(boxOwner, ownedBy);
    }
  }
  ::DestroyWindow(owner);
}

TEST(Win32FolderBrowser, ChecksTheSelectionAndReturnsTheChosenFolder) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    const test::TempDir dir;
    Win32Dialogs dialogs;
    std::vector<std::string> checked;
    const auto accept = [&](const std::string& path) {
      checked.push_back(path);
      return path == dir.path();
    };
    struct Case {
      int press;
      std::optional<std::string> chosen;
    };
    for (const Case& test : {Case{IDOK, dir.path()}, Case{IDCANCEL, std::nullopt}}) {
      checked.clear();
      std::optional<bool> okEnabled;
      // Wine's tree may still move the selection while it fills: selects the folder again
      // until the check has seen it.
      const DialogAnswerer answerer([&](HWND browser) {
        if (checked.empty() || checked.back() != dir.path()) {
          ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(dir.path().c_str()));
          return false;
        }
        okEnabled = ::IsWindowEnabled(::GetDlgItem(browser, IDOK)) != FALSE;
        Press(browser, test.press);
        return true;
      });
      EXPECT_EQ(test.chosen, dialogs.BrowseForFolder("Pick the folder", dir.path(), accept));
      EXPECT_EQ(true, okEnabled);
    }
  }
  ::CoUninitialize();
}

}  // namespace
}  // namespace kestrav
