// The settings dialog and the about box as real windows under Wine: their controls, places,
// tab order and keys; a click in the settings dialog writes the real registry of the prefix.
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

// "caption left,top widthxheight" in the form's client area; a label, sized by its font, by
// its place alone. A checked button ends with " checked".
std::string Describe(HWND control, HWND form) {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  char className[32] = {};
  ::GetClassNameA(control, className, sizeof className);
  char place[64] = {};
  if (std::string(className) == "Static") {
    std::snprintf(place, sizeof place, " %ld,%ld", r.left, r.top);
  } else {
    std::snprintf(place, sizeof place, " %ld,%ld %ldx%ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  const bool checked = ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return TextOf(control).append(place).append(checked ? " checked" : "");
}

SIZE ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
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
  ::ShowWindow(form, SW_SHOWNA);
  EXPECT_EQ("Settings", TextOf(form));
  EXPECT_EQ(std::make_pair(327L, 199L), std::make_pair(ClientSize(form).cx, ClientSize(form).cy));

  std::vector<std::string> children;
  for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(Describe(child, form));
  }
  EXPECT_EQ((std::vector<std::string>{
                "Close 216,168 105x25",
                "Change Directory 8,168 105x25",
                "After pressing 'Run Game' button 8,72 313x41",
                "Run TTD 200,88 113x17",
                "Run TTDPatch 16,88 113x17 checked",
                "Clicking on the 'Run Game' button will automatically save file 8,48 313x12",
                "Default action for Double Click on the list 8,120 313x41",
                "Changing Paramter 200,136 113x17",
                "File Information 16,136 113x17 checked",
                "Directory Not Set 64,8 257x21",
                "No Overwrite Confirmations 8,32 313x12",
                "TTD Path 8,11",
            }),
            children);

  const HWND runTtd = ::FindWindowExA(form, nullptr, "Button", "Run TTD");
  ::SendMessageA(runTtd, BM_CLICK, 0, 0);
  DWORD stored = 7, size = sizeof stored;
  EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "RunType", RRF_RT_REG_DWORD, nullptr,
                                          &stored, &size));
  EXPECT_EQ(1u, stored);

  // Tab reaches the selected button of each group.
  std::vector<std::string> tabOrder;
  const HWND first = ::GetNextDlgTabItem(form, nullptr, FALSE);
  HWND control = first;
  do {
    tabOrder.push_back(TextOf(control));
    control = ::GetNextDlgTabItem(form, control, FALSE);
  } while (control && control != first && tabOrder.size() < 20);
  EXPECT_EQ((std::vector<std::string>{"Close", "Change Directory", "Run TTD",
                                      "Clicking on the 'Run Game' button will automatically save file",
                                      "File Information", "Directory Not Set", "No Overwrite Confirmations"}),
            tabOrder);
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
  EXPECT_EQ("About", TextOf(about.handle()));
  EXPECT_EQ(std::make_pair(325L, 250L), std::make_pair(ClientSize(about.handle()).cx, ClientSize(about.handle()).cy));
  EXPECT_EQ(
      "Kestrav allows you to edit lines in newgrf.cfg file\r\n"
      "(or newgrfw.cfg). It has got also some extra information that\r\n"
      "show how many active sprites will be in game (there is limit\r\n"
      "of them) and can show information about any *.grf file. \r\n"
      "\r\n"
      "\tver. 2.1\r\n"
      "- again GUI changed, removed buttons, top menu,\r\n"
      "  main window is sizeable now, remembering previous\r\n"
      "  position, added shortcuts (also Ctrl+R for 'Run Game')\r\n"
      "- right click on the list highlights position now\r\n"
      "- changed possible states of files to 3 types\r\n"
      "- support newgrf[w].cfg from TTDPatch 2.0.1 alpha 30 \r\n"
      "- added TTDPatch version recognization\r\n"
      "- added Log Creator with two file formats\r\n"
      "- added 'no overwrite confirmation' option\r\n"
      "- added warning if main TTD graphic file is on the list,\r\n"
      "  also prevent from adding orginall TTD graphic files\r\n"
      "- fixed bug with not counting sprites properly\r\n"
      "- fixed bug with no confirmation on exit\r\n"
      "- removed changing state with clicking on the filename\r\n"
      "\tver. 2.0.2\r\n"
      "- changed GUI\r\n"
      "- fixed bug with locking while browsing for TTD\r\n"
      "- removed multi-files moving but allow items can be\r\n"
      "  now drag and drop with mouse\r\n"
      "- removed Sort button, it could made some erros while\r\n"
      "  loading TTD with strange order\r\n"
      "- changed and fixed bug with way entering parameter,\r\n"
      "  now checks correctly and if wrong it will ask again\r\n"
      "- added prioriy graphic\r\n"
      "- added double click option for list\r\n"
      "\tver. 2.0.1\r\n"
      "- changed size, buttons, etc\r\n"
      "- added About\r\n"
      "- added Sorting list by Name\r\n"
      "- changed browsing folder dialog (now it also check\r\n"
      "  for TTD files while browsing)\r\n"
      "- added possiblity of moving many files at once \r\n"
      "  (select more by holding SHIFT or CTRL key)\r\n"
      "\tver. 2.0\r\n"
      "- first release, whole nearly stable program",
      TextOf(::FindWindowExA(about.handle(), nullptr, "Edit", nullptr)));

  // A click on each link asks the shell to open its address.
  for (const int y : {225, 239}) {
    ::SendMessageA(about.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, y));
    ::SendMessageA(about.handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, y));
  }
  ASSERT_EQ(2u, shell.starts.size());
  EXPECT_EQ("https://kestrav.example.org/", shell.starts[0].file);
  EXPECT_EQ("mailto:Dravelin<kestrav@example.org>", shell.starts[1].file);

  stuckForm = about.handle();
  const HWND close = ::FindWindowExA(about.handle(), nullptr, "Button", "Close");
  for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    timedOut = false;
    ::PostMessageA(close, WM_KEYDOWN, key, 0);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 3000, GiveUp);
    about.form().ShowModal();
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(timedOut) << key;
    EXPECT_FALSE(::IsWindowVisible(about.handle()));
  }
}

}  // namespace
}  // namespace kestrav
