// The settings dialog and the about box as real windows under Wine: their controls, places,
// tab stops and keys; a click in the settings dialog writes the real registry of the prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "environment/settings_store.h"
#include "platform/system_platform.h"
#include "support/recording_view.h"
#include "support/test_platform.h"
#include "ui/form_manager.h"
#include "ui/win32/about_window.h"
#include "ui/win32/settings_window.h"

namespace kestrav {
namespace {

std::string TextOf(HWND window) {
  char text[4096] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// "caption left,top widthxheight" in the form's client area (a label, sized by its font, by
// its place alone), then " checked" for a checked button and " tab" for a tab stop.
std::string Describe(HWND control, HWND form) {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  const bool label = control == ::FindWindowExA(form, nullptr, "Static", nullptr);
  char place[96] = {};
  std::snprintf(place, sizeof place, label ? " %ld,%ld" : " %ld,%ld %ldx%ld", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  const bool checked = ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  const bool tab = ::GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP;
  return TextOf(control).append(place).append(checked ? " checked" : "").append(tab ? " tab" : "");
}

std::string ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return std::to_string(client.right) + "x" + std::to_string(client.bottom);
}

class SecondaryForms : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath); }
  void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath); }

  SystemAdapters system = MakeSystemAdapters();
  test::ScriptedDialogs dialogs;
  test::FakeProcessRunner processes;
  test::FakeScreen screen;
  test::RecordingShell shell;
  Platform ports{*system.files, *system.registry, dialogs, processes, *system.xml, screen, *system.locale, shell};
  test::RecordingView view;
  TformManager manager{ports, view};
};

TEST_F(SecondaryForms, SettingsDialogHasItsControlsInPlaceAndInTabOrderAndAClickWritesTheRegistry) {
  win32::SettingsWindow settings(ports, manager, nullptr);
  const HWND form = settings.handle();
  settings.form().FillFromSettings();
  ::SendMessageA(::FindWindowExA(form, nullptr, "Button", "Run TTD"), BM_CLICK, 0, 0);
  DWORD stored = 7, size = sizeof stored;
  ::RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "RunType", RRF_RT_REG_DWORD, nullptr, &stored, &size);
  EXPECT_EQ(1u, stored);

  EXPECT_EQ("Settings 327x199", TextOf(form) + " " + ClientSize(form));
  std::vector<std::string> children;  // in tab order
  for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(Describe(child, form));
  }
  EXPECT_EQ((std::vector<std::string>{
                "Close 216,168 105x25 tab",
                "Change Directory 8,168 105x25 tab",
                "After pressing 'Run Game' button 8,72 313x41",
                "Run TTD 200,88 113x17 checked tab",
                "Run TTDPatch 16,88 113x17",
                "Clicking on the 'Run Game' button will automatically save file 8,48 313x12 tab",
                "Default action for Double Click on the list 8,120 313x41",
                "Changing Paramter 200,136 113x17",
                "File Information 16,136 113x17 checked tab",
                "Directory Not Set 64,8 257x21 tab",
                "No Overwrite Confirmations 8,32 313x12 tab",
                "TTD Path 8,11",
            }),
            children);
}

// Ends a modal run that the key under test failed to end.
HWND stuckForm = nullptr;
bool timedOut = false;
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
  timedOut = true;
  ::PostMessageA(stuckForm, WM_CLOSE, 0, 0);
}

TEST_F(SecondaryForms, AboutBoxShowsItsTextAtItsSizeOpensItsLinksAndClosesWithEscAndEnter) {
  win32::AboutWindow about(ports, nullptr);
  EXPECT_EQ("About 325x250", TextOf(about.handle()) + " " + ClientSize(about.handle()));
  // Line by line, with the lines that carry tabs, blanks at their ends and the odd spellings.
  std::vector<std::string> lines;
  const std::string text = TextOf(::FindWindowExA(about.handle(), nullptr, "Edit", nullptr)) + "\r\n";
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(text.substr(at, end - at));
  }
  ASSERT_EQ(41u, lines.size());
  EXPECT_EQ("Kestrav allows you to edit lines in newgrf.cfg file", lines[0]);
  EXPECT_EQ("of them) and can show information about any *.grf file. |", lines[3] + "|" + lines[4]);
  EXPECT_EQ("\tver. 2.1|\tver. 2.0.2|\tver. 2.0.1|\tver. 2.0",
            lines[5] + "|" + lines[20] + "|" + lines[31] + "|" + lines[39]);
  EXPECT_EQ("- support newgrf[w].cfg from TTDPatch 2.0.1 alpha 30 ", lines[11]);
  EXPECT_EQ("  also prevent from adding orginall TTD graphic files", lines[16]);
  EXPECT_EQ("- added prioriy graphic", lines[29]);
  EXPECT_EQ("- added possiblity of moving many files at once ", lines[37]);
  EXPECT_EQ("- first release, whole nearly stable program", lines[40]);

  for (const int y : {225, 239}) {  // a click on each link
    ::SendMessageA(about.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, y));
    ::SendMessageA(about.handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, y));
  }
  ASSERT_EQ(2u, shell.starts.size());
  EXPECT_EQ("https://kestrav.example.org/", shell.starts[0].file);
  EXPECT_EQ("mailto:Dravelin<kestrav@example.org>", shell.starts[1].file);

  stuckForm = about.handle();
  for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    timedOut = false;
    ::PostMessageA(::FindWindowExA(about.handle(), nullptr, "Button", "Close"), WM_KEYDOWN, key, 0);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 3000, GiveUp);
    about.form().ShowModal();
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(timedOut) << key;
  }
}

}  // namespace
}  // namespace kestrav
