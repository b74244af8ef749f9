// The settings dialog and the about box as real windows under Wine: their controls, places,
// hints, tab stops and keys; a click in the settings dialog reaches its controller.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/win32_dialog_answerer.h"
#include "ui/manager_fixture.h"
#include "ui/win32/about_window.h"
#include "ui/win32/settings_window.h"

namespace kestrav {
namespace {

using test::TextOf;

TEST(Win32SettingsWindow, HasItsControlsInPlaceAndInTabOrderAndAClickWritesItsSetting) {
  test::ManagerFixture f;
  win32::SettingsWindow settings(f.platform.ports, f.manager, nullptr);
  const HWND form = settings.handle();
  settings.form().FillFromSettings();
  ::SendMessageA(::FindWindowExA(form, nullptr, "Button", "Run TTD"), BM_CLICK, 0, 0);
  EXPECT_EQ(1, f.Settings().ReadInteger("RunType"));
  EXPECT_EQ("Settings 327x199\nButton Close 216,168,105,25 tab Closing Options window\n"
            "Button Change Directory 8,168,105,25 tab Changing TTD directory\n"
            "Button After pressing 'Run Game' button 8,72,313,41\n"
            "Button Run TTD 200,88,113,17 * tab TTD will be started after pressing 'Run Game'\n"
            "Button Run TTDPatch 16,88,113,17 TTDPatch will be started after pressing 'Run Game'\n"
            "Button Clicking on the 'Run Game' button will automatically save file 8,48,313,12 tab If it is checked "
            "then the file will be saved without any question before the gam\n"
            "Button Default action for Double Click on the list 8,120,313,41\n"
            "Button Changing Paramter 200,136,113,17\nButton File Information 16,136,113,17 * tab\n"
            "Edit Directory Not Set 64,8,257,21 tab Currently directory of TTD you set, if it is wrong, change it\n"
            "Button No Overwrite Confirmations 8,32,313,12 tab If it is checked then no overwrite confirmation and "
            "information will be shown\nStatic TTD Path 8,11\n",
            test::Outline(form, settings.toolTip()));
}

TEST(Win32AboutWindow, ShowsItsTextAtItsSizeOpensItsLinksAndClosesWithEscAndEnter) {
  test::TestPlatform platform;
  win32::AboutWindow about(platform.ports, nullptr);
  const HWND form = about.handle();
  EXPECT_EQ("About 325x250", test::Frame(form));
  // Line by line: their count, and the lines that carry tabs, blanks at their ends and odd spellings.
  std::vector<std::string> lines;
  const std::string text = TextOf(::FindWindowExA(form, nullptr, "Edit", nullptr)) + "\r\n";
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(text.substr(at, end - at));
  }
  ASSERT_EQ(41u, lines.size());
  std::string picked;
  for (const int line : {0, 3, 4, 5, 16, 29, 40}) picked += lines[line] + "|";
  EXPECT_EQ("Kestrav allows you to edit lines in newgrf.cfg file|"
            "of them) and can show information about any *.grf file. ||\tver. 2.1|"
            "  also prevent from adding orginall TTD graphic files|- added prioriy graphic|"
            "- first release, whole nearly stable program|",
            picked);

  for (const int y : {225, 239}) {  // a click on each link
    ::SendMessageA(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, y));
    ::SendMessageA(form, WM_LBUTTONUP, 0, MAKELPARAM(100, y));
  }
  ASSERT_EQ(2u, platform.shell.starts.size());
  EXPECT_EQ("https://kestrav.example/", platform.shell.starts[0].file);
  EXPECT_EQ("mailto:Dravelin<kestrav@example.org>", platform.shell.starts[1].file);

  // Each key closes the box before the WM_CLOSE posted after it would.
  for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    ::PostMessageA(::FindWindowExA(form, nullptr, "Button", "Close"), WM_KEYDOWN, key, 0);
    ::PostMessageA(form, WM_CLOSE, 0, 0);
    about.form().ShowModal();
    MSG left{};
    EXPECT_TRUE(::PeekMessageA(&left, form, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << key;
  }
}

}  // namespace
}  // namespace kestrav
