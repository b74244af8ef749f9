// The real log creator under Wine: its frame and controls, the radio group writing the real
// registry, and a log written through the real save dialog, answered by a timer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "environment/settings_store.h"
#include "platform/system_platform.h"
#include "platform/win32/win32_dialogs.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "ui/form_manager.h"
#include "ui/win32/log_window.h"

namespace kestrav {
namespace {

std::string TextOf(HWND window) {
  char text[256] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// The hint shown over a control of form.
std::string HintOf(HWND form, HWND tips, HWND control) {
  char text[256] = {};
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  ::SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text[0] ? std::string(" [") + text + "]" : "";
}

// Each child in creation order: class, text, place in the client area, "-" when disabled,
// "*" when checked, and its hint.
std::vector<std::string> Outline(HWND form, HWND tips) {
  std::vector<std::string> lines;
  for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char windowClass[32] = {};
    ::GetClassNameA(child, windowClass, sizeof windowClass);
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
    lines.push_back(std::string(windowClass) + " " + TextOf(child) + " " + std::to_string(rect.left) + "," +
                    std::to_string(rect.top) + "," + std::to_string(rect.right - rect.left) + "," +
                    std::to_string(rect.bottom - rect.top) + (::IsWindowEnabled(child) ? "" : " -") +
                    (::SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? " *" : "") +
                    HintOf(form, tips, child));
  }
  return lines;
}

// The dialog box of this thread in sight, if any.
HWND VisibleDialogBox() {
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
  return dialog;
}

// Run by a timer from whichever modal loop is running.
std::function<void()> onTick;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (onTick) onTick();
}

class LogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath); }
  void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath); }
  static DWORD Stored(const char* name) {
    DWORD value = 99, size = sizeof value;
    ::RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
  }

  SystemAdapters system = MakeSystemAdapters();  // the real registry
  Win32Dialogs dialogs;
  test::TestPlatform stand;
  Platform ports{*system.files, *system.registry, dialogs,        stand.processes,
                 *system.xml,   stand.screen,     *system.locale, stand.shell};
  test::RecordingView view;
  TformManager manager{ports, view};
};

TEST_F(LogWindowTest, ShowsItsControlsAndStoresTheChosenFormat) {
  const DWORD seven = 7;
  ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "OutputFormat", REG_DWORD, &seven,
                                             sizeof seven));
  win32::LogWindow window(ports, nullptr, manager);
  const HWND form = window.handle();
  EXPECT_EQ("Log Creator", TextOf(form));
  RECT client{};
  ::GetClientRect(form, &client);
  EXPECT_EQ(310, client.right);
  EXPECT_EQ(189, client.bottom);
  EXPECT_EQ((std::vector<std::string>{
                "Button Include 8,8,185,121 - [Select what to include in log]",
                "Button Sprites informations 16,24,145,17 - *",
                "Button Modified date 16,40,145,17 - *",
                "Button File version 16,56,145,17 - *",
                "Button Graphic ID 16,72,145,17 - *",
                "Button File Information 16,88,145,17 - *",
                "Button File Description 16,104,145,17 - *",
                "Button Output Format 200,8,105,57 [Set the output format for Log that will be created]",
                "Button TXT 208,22,95,19 [Set the output format for Log that will be created]",
                "Button HTML 208,41,95,19 * [Set the output format for Log that will be created]",
                "Button Create 200,72,105,25 [Create a log]",
                "Button Close 200,104,105,25",
                "msctls_progress32  8,136,297,17",
                "Static Note: 'Include' box is unavabile at the moment. 8,160,297,17",
                "Static This will be enabled in next releases. 8,173,297,17",
            }),
            Outline(form, window.toolTip()));
  ::SendDlgItemMessageA(form, win32::kTxtItemId, BM_CLICK, 0, 0);
  EXPECT_EQ(0u, Stored("OutputFormat"));
  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(form, win32::kHtmlItemId));
  ::SendDlgItemMessageA(form, win32::kHtmlItemId, BM_CLICK, 0, 0);
  EXPECT_EQ(1u, Stored("OutputFormat"));
}

TEST_F(LogWindowTest, F12ShowsItModallyAndItsSaveDialogWritesTheLog) {
  const test::TempDir ttd;
  ttd.Write("newgrf/a.grf", std::string("\x01\x00\x02\x00\x00", 5));
  const std::string ttdValue = ttd.path();
  ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "TTD Path", REG_SZ,
                                             ttdValue.c_str(), static_cast<DWORD>(ttdValue.size() + 1)));
  manager.listGrfFiles.Add("newgrf/a.grf", GrfState::Active);
  const win32::UniqueWindow owner(::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100,
                                                    nullptr, nullptr, nullptr, nullptr));
  dialogs.SetOwner(owner.get());
  win32::LogWindow window(ports, owner.get(), manager);
  manager.formLog = &window.form();
  const HWND form = window.handle();
  // Create once the dialog is up; the save dialog answered with a name; Close once the log
  // is there. Gives up after some seconds, so that nothing is left open.
  int ticks = 0;
  bool created = false, answered = false, ownerEnabled = true;
  std::string title;
  HWND saveOwner = nullptr;
  onTick = [&] {
    const HWND box = VisibleDialogBox();
    if (++ticks > 200) {
      if (box) ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
      window.EndModal();
    } else if (box && !answered) {
      answered = true;
      title = TextOf(box);
      saveOwner = ::GetWindow(box, GW_OWNER);
      for (const int field : {0x47c, 0x480}) {  // the name box: a combo box, or an edit field
        if (const HWND name = ::GetDlgItem(box, field)) ::SetWindowTextA(name, ttd.Join("made").c_str());
      }
      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    } else if (!created && ::IsWindowVisible(form)) {
      created = true;
      ::PostMessageA(form, WM_COMMAND, win32::kCreateButtonId, 0);  // Enter
    } else if (answered && !box && ttd.Exists("made.txt")) {
      ownerEnabled = ::IsWindowEnabled(owner.get()) != FALSE;
      ::PostMessageA(form, WM_CLOSE, 0, 0);
    }
  };
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Tick);
  manager.RunCommand(Command::MakeLog);
  ::KillTimer(nullptr, timer);
  onTick = nullptr;
  EXPECT_EQ("Select place for saving log", title);
  EXPECT_EQ(form, saveOwner);
  EXPECT_FALSE(ownerEnabled) << "the dialog stays modal after writing";
  EXPECT_TRUE(::IsWindowEnabled(owner.get()));
  EXPECT_FALSE(::IsWindowVisible(form));
  EXPECT_EQ(1, ::SendDlgItemMessageA(form, win32::kProgressBarId, PBM_GETPOS, 0, 0));
  EXPECT_EQ(1, ::SendDlgItemMessageA(form, win32::kProgressBarId, PBM_GETRANGE, FALSE, 0));
  const std::string log = ttd.Read("made.txt");
  EXPECT_EQ(0u, log.find("Kestrav Log File: ver. 2.1 (2004-07-16)\r\n")) << log;
  EXPECT_NE(std::string::npos, log.find("\r\nnewgrf/a.grf (Active)\r\n\tModified: ")) << log;
}

}  // namespace
}  // namespace kestrav
