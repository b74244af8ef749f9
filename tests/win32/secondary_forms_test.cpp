// The settings dialog, the about box and the log creator as real windows under Wine: their
// controls, places, hints, tab stops and keys; a click in the settings dialog and the log
// creator reaches its controller, and a log is written through the real save dialog (the logs
// themselves are tested with their controller).
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/win32_dialogs.h"
#include "support/win32_dialog_answerer.h"
#include "ui/manager_fixture.h"
#include "ui/win32/about_window.h"
#include "ui/win32/log_window.h"
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

TEST(LogWindow, ShowsItsControlsStoresTheFormatAndWritesTheLogWhereTheSaveDialogSays) {
  test::ManagerFixture f;
  f.UseTtdDirectory();
  f.Put(setting::kOutputFormat, 7);
  f.manager.listGrfFiles.Add("newgrf/a.grf", GrfState::Active);
  const win32::UniqueWindow owner(::CreateWindowExA(0, "STATIC", "", WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr,
                                                    nullptr, nullptr));
  Win32Dialogs dialogs(owner.get());
  test::TestPlatform& p = f.platform;
  Platform ports{*p.system.files, p.registry, dialogs, p.processes, p.xml, p.screen, *p.system.locale, p.shell};
  win32::LogWindow window(ports, owner.get(), f.manager);
  f.manager.formLog = &window.form();
  const HWND form = window.handle();
  const std::string format = " Set the output format for Log that will be created\n";
  EXPECT_EQ("Log Creator 310x189\nButton Include 8,8,185,121 - Select what to include in log\n"
            "Button Sprites informations 16,24,145,17 - * tab\nButton Modified date 16,40,145,17 - * tab\n"
            "Button File version 16,56,145,17 - * tab\nButton Graphic ID 16,72,145,17 - * tab\n"
            "Button File Information 16,88,145,17 - * tab\nButton File Description 16,104,145,17 - * tab\n"
            "Button Output Format 200,8,105,57" + format + "Button TXT 208,22,95,19" + format +
                "Button HTML 208,41,95,19 * tab" + format + "Button Create 200,72,105,25 tab Create a log\n"
                "Button Close 200,104,105,25 tab\nmsctls_progress32  8,136,297,17\n"
                "Static Note: 'Include' box is unavabile at the moment. 8,160,297,17\n"
                "Static This will be enabled in next releases. 8,173,297,17\n",
            test::Outline(form, window.toolTip()));

  // The TXT item and Enter; the save dialog given a name, then Close.
  HWND saveOwner = nullptr;
  const auto save = [&](HWND box) {
    saveOwner = ::GetWindow(box, GW_OWNER);
    for (const int field : {cmb13, edt1}) {  // the name box: a combo box, or an edit field
      if (const HWND name = ::GetDlgItem(box, field)) ::SetWindowTextA(name, f.ttd.Join("made").c_str());
    }
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ::PostMessageA(form, WM_CLOSE, 0, 0);
    return true;
  };
  ::SendDlgItemMessageA(form, win32::kTxtItemId, BM_CLICK, 0, 0);
  ::PostMessageA(form, WM_COMMAND, IDOK, 0);
  test::Answered(save, [&] {
    f.manager.RunCommand(Command::MakeLog);
    return 0;
  });
  EXPECT_EQ(0, f.Settings().ReadInteger(setting::kOutputFormat));
  EXPECT_EQ(form, saveOwner) << "the form stays modal after the dialog";
  EXPECT_TRUE(::IsWindowEnabled(owner.get()) && !::IsWindowVisible(form));
  const HWND bar = ::GetDlgItem(form, win32::kProgressBarId);
  EXPECT_EQ(std::pair(LRESULT{1}, LRESULT{1}),
            std::pair(::SendMessageA(bar, PBM_GETPOS, 0, 0), ::SendMessageA(bar, PBM_GETRANGE, FALSE, 0)));
  EXPECT_NE(std::string::npos, f.ttd.Read("made.txt").find("\r\n\r\nnewgrf/a.grf (Active)\r\n"));
}

}  // namespace
}  // namespace kestrav
