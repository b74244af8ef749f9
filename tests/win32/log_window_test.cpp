// The real log creator under Wine: its frame and controls, the radio group writing the real
// registry, and F12 writing a log through the real save dialog, answered by a timer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

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

// A line per child in creation order: class, text, place in the client area, "-" when
// disabled, "*" when checked, and its hint.
std::string Outline(HWND form, HWND tips) {
  std::string lines;
  for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char kind[32] = {}, hint[128] = {}, line[256];
    ::GetClassNameA(child, kind, sizeof kind);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE, tool.hwnd = form, tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = hint;
    ::SendMessageA(tips, TTM_GETTEXTA, sizeof hint, reinterpret_cast<LPARAM>(&tool));
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    std::snprintf(line, sizeof line, "%s %s %ld,%ld,%ld,%ld%s%s%s%s\n", kind, TextOf(child).c_str(), r.left, r.top,
                  r.right - r.left, r.bottom - r.top, ::IsWindowEnabled(child) ? "" : " -",
                  ::SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? " *" : "", hint[0] ? " " : "", hint);
    lines += line;
  }
  return lines;
}

std::function<void()> onTick;  // run by a timer from whichever modal loop is running
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (onTick) onTick();
}

TEST(LogWindow, ShowsItsControlsStoresTheFormatAndWritesTheLogWhereTheSaveDialogSays) {
  const test::TempDir ttd;
  ttd.Write("newgrf/a.grf", "");
  // Opened without sharing: the log finds the file but cannot read it.
  const HANDLE locked = ::CreateFileA(ttd.Join("newgrf\\a.grf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      0, nullptr);
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
  SystemAdapters system = MakeSystemAdapters();  // the real registry
  SettingsStore settings(*system.registry);
  settings.Open(true);
  settings.WriteString(setting::kTtdPath, ttd.path());
  settings.WriteInteger(setting::kOutputFormat, 7);
  const win32::UniqueWindow owner(::CreateWindowExA(0, "STATIC", "", WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr,
                                                    nullptr, nullptr));
  Win32Dialogs dialogs(owner.get());
  test::TestPlatform stand;
  Platform ports{*system.files, *system.registry, dialogs, stand.processes, *system.xml, stand.screen, *system.locale,
                 stand.shell};
  test::RecordingView view;
  TformManager manager(ports, view);
  manager.listGrfFiles.Add("newgrf/a.grf", GrfState::Active);
  win32::LogWindow window(ports, owner.get(), manager);
  manager.formLog = &window.form();
  const HWND form = window.handle();
  RECT client{};
  ::GetClientRect(form, &client);
  EXPECT_EQ("Log Creator 310x189", TextOf(form) + " " + std::to_string(client.right) + "x" +
                                       std::to_string(client.bottom));
  const std::string format = " Set the output format for Log that will be created\n";
  EXPECT_EQ("Button Include 8,8,185,121 - Select what to include in log\n"
            "Button Sprites informations 16,24,145,17 - *\nButton Modified date 16,40,145,17 - *\n"
            "Button File version 16,56,145,17 - *\nButton Graphic ID 16,72,145,17 - *\n"
            "Button File Information 16,88,145,17 - *\nButton File Description 16,104,145,17 - *\n"
            "Button Output Format 200,8,105,57" + format + "Button TXT 208,22,95,19" + format +
                "Button HTML 208,41,95,19 *" + format + "Button Create 200,72,105,25 Create a log\n"
                "Button Close 200,104,105,25\nmsctls_progress32  8,136,297,17\n"
                "Static Note: 'Include' box is unavabile at the moment. 8,160,297,17\n"
                "Static This will be enabled in next releases. 8,173,297,17\n",
            Outline(form, window.toolTip()));

  // F12; the TXT item; Enter; the save dialog given a name; Close once the log is there.
  // Gives up after some seconds, so that nothing is left open.
  int ticks = 0;
  bool chosen = false, answered = false, ownerEnabled = true;
  std::string title;
  HWND saveOwner = nullptr;
  onTick = [&] {
    HWND box = ::FindWindowA("#32770", nullptr);
    if (box && !::IsWindowVisible(box)) box = nullptr;
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
    } else if (!chosen && ::IsWindowVisible(form)) {
      chosen = true;
      ::SendDlgItemMessageA(form, win32::kTxtItemId, BM_CLICK, 0, 0);
      ::PostMessageA(form, WM_COMMAND, IDOK, 0);
    } else if (answered && !box && ttd.Exists("made.txt")) {
      ownerEnabled = ::IsWindowEnabled(owner.get()) != FALSE;
      ::PostMessageA(form, WM_CLOSE, 0, 0);
    }
  };
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Tick);
  manager.RunCommand(Command::MakeLog);
  ::KillTimer(nullptr, timer);
  onTick = nullptr;
  ::CloseHandle(locked);
  EXPECT_EQ(0, settings.ReadInteger(setting::kOutputFormat));
  EXPECT_EQ("Select place for saving log", title);
  EXPECT_EQ(form, saveOwner);
  EXPECT_FALSE(ownerEnabled) << "the dialog stays modal after writing";
  EXPECT_TRUE(::IsWindowEnabled(owner.get()) && !::IsWindowVisible(form));
  EXPECT_EQ(1, ::SendDlgItemMessageA(form, win32::kProgressBarId, PBM_GETPOS, 0, 0));
  EXPECT_EQ(1, ::SendDlgItemMessageA(form, win32::kProgressBarId, PBM_GETRANGE, FALSE, 0));
  const std::string log = ttd.Read("made.txt");
  EXPECT_EQ(0u, log.find("Kestrav Log File: ver. 2.1 (2004-07-16)\r\n")) << log;
  EXPECT_NE(std::string::npos, log.find("\r\n\r\nnewgrf/a.grf (Active)\r\n\tModified: ")) << log;
  EXPECT_TRUE(log.ends_with("\r\n\tSprites: 0 total, 0 normal, 0 pseudo\r\n\tVersion: \r\n\tID: \r\n\tInfo: \r\n"
                            "\tDescription: \r\n\r\n"))
      << log;
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
}

}  // namespace
}  // namespace kestrav
