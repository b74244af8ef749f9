// The real dialogs and forms under Wine. The message boxes, folder browser, input box and
// open dialog are answered by a timer that finds the dialog on this thread, reads it and acts
// on it. The settings dialog, the about box and the log creator show their controls, places,
// hints, tab stops and keys; a click in the settings dialog and the log creator reaches its
// controller, and a log is written through the real save dialog (the logs themselves are
// tested with their controller).
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/win32/win32_dialogs.h"
#include "support/temp_dir.h"
#include "support/win32_dialog_answerer.h"
#include "ui/manager_fixture.h"
#include "ui/win32/about_window.h"
#include "ui/win32/log_window.h"
#include "ui/win32/settings_window.h"
#include "ui/win32/window_handles.h"

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
  const std::string longPrompt = "newgrf/" + std::string(88, 'x') + ".grf parameters:";
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

// The forms' fonts are Wine's own Tahoma and MS Sans Serif, which the prefix holds, not a wider
// face standing in. Each caption's width (each line of the memo's) is printed beside its
// control's: a check box's caption has 16 pixels less.
TEST(Win32Fonts, TheFormsCaptionsAreMeasuredInTahomaAndMsSansSerif) {
  test::ManagerFixture f;
  win32::SettingsWindow settings(f.platform.ports, f.manager, nullptr);
  win32::LogWindow log(f.platform.ports, nullptr, f.manager);
  win32::AboutWindow about(f.platform.ports, nullptr);
  for (const auto& [form, face] : {std::pair{settings.handle(), "Tahoma"}, {log.handle(), "Tahoma"},
                                   {about.handle(), "MS Sans Serif"}}) {
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      const win32::WindowDc dc(child);
      const win32::SelectedObject font(dc.get(), reinterpret_cast<HFONT>(::SendMessageA(child, WM_GETFONT, 0, 0)));
      char resolved[LF_FACESIZE] = {};
      ::GetTextFaceA(dc.get(), sizeof resolved, resolved);
      EXPECT_STREQ(face, resolved) << TextOf(child);
      RECT place{};
      ::GetClientRect(child, &place);
      std::istringstream lines(TextOf(child));
      for (std::string line; std::getline(lines, line, '\r'); lines.ignore(1)) {
        const DWORD size = ::GetTabbedTextExtentA(dc.get(), line.c_str(), static_cast<int>(line.size()), 0, nullptr);
        std::printf("%-66.66s %3d in %3ld\n", line.c_str(), LOWORD(size), place.right);
      }
    }
  }
}

TEST(Win32AboutWindow, ShowsItsWholeTextAtItsSizeOpensItsLinksAndClosesWithEscAndEnter) {
  test::TestPlatform platform;
  win32::AboutWindow about(platform.ports, nullptr);
  const HWND form = about.handle();
  EXPECT_EQ("About 325x250", test::Frame(form));
  // Every line, in the memo's CR LF, up to the last.
  const std::string text = TextOf(::FindWindowExA(form, nullptr, "Edit", nullptr));
  EXPECT_EQ(40, std::count(text.begin(), text.end(), '\n'));
  EXPECT_TRUE(text.ends_with("\r\n\tver. 2.0\r\n- first release, whole nearly stable program")) << text;

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
  Answered(save, [&] {
    f.manager.RunCommand(Command::MakeLog);
    return 0;
  });
  EXPECT_EQ(0, f.Settings().ReadInteger(setting::kOutputFormat));
  EXPECT_EQ(form, saveOwner) << "the form stays modal after the dialog";
  EXPECT_TRUE(::IsWindowEnabled(owner.get()) && !::IsWindowVisible(form));
  EXPECT_NE(std::string::npos, f.ttd.Read("made.txt").find("\r\n\r\nnewgrf/a.grf (Active)\r\n"));
}

}  // namespace
}  // namespace kestrav
