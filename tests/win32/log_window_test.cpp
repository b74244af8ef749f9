// The real log creator under Wine: its frame and controls, a click on the radio group reaching
// its controller, and a log written through the real save dialog, answered by a timer (the logs
// themselves are tested with their controller).
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_dialogs.h"
#include "support/win32_dialog_answerer.h"
#include "ui/manager_fixture.h"
#include "ui/win32/log_window.h"

namespace kestrav {
namespace {

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
