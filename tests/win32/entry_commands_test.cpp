// The parameter input box as the user meets it, and the commands on the selected entry in
// the real window on a file the system holds open and then on a free one.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "environment/settings_store.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_handles.h"
#include "support/answered_dialog.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "ui/win32/main_menu.h"
#include "ui/win32/manager_window.h"

namespace kestrav {
namespace {

using namespace std::string_literals;

std::string TextOf(HWND window) {
  std::string text(1024, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), 1024)));
  return text;
}

TEST(Win32InputBox, TakesTypedTextUpTo255CharactersAndEndsWithOkOrCancel) {
  const std::string longPrompt = "newgrf/" + std::string(70, 'x') + ".grf parameters:";
  const std::tuple<std::string, std::string, std::string, char, std::optional<std::string>> cases[] = {
      // prompt, field, typed (replacing the field's text), how it ends: Enter, OK, Escape, close
      {"newgrf/abc.grf parameters:", "1 2", "5 -6", 'E', "5 -6"},
      {"p:", "", std::string(300, '7'), 'O', std::string(255, '7')},
      {"p:", std::string(300, '1'), "", 'O', std::string(300, '1')},
      {"p:", "1 2", "3", 'S', std::nullopt},
      {longPrompt, "1", "", 'C', std::nullopt},
  };
  for (const auto& [prompt, field, typed, end, entered] : cases) {
    SCOPED_TRACE(prompt + "|" + end);
    std::string caption, shownPrompt, shownField, face;
    bool focused = false, below = false;
    LRESULT defaultId = 0;
    const auto user = [&](HWND box) {
      const HWND label = ::GetDlgItem(box, 100), edit = ::GetDlgItem(box, 101);
      std::tie(caption, shownPrompt, shownField) = std::tuple(TextOf(box), TextOf(label), TextOf(edit));
      LOGFONTA font{};
      ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(edit, WM_GETFONT, 0, 0)), sizeof font, &font);
      face = font.lfFaceName + std::to_string(font.lfHeight);
      focused = ::GetFocus() == edit;
      defaultId = LOWORD(::SendMessageA(box, DM_GETDEFID, 0, 0));
      RECT labelRect{}, editRect{};
      ::GetWindowRect(label, &labelRect);
      ::GetWindowRect(edit, &editRect);
      below = editRect.top >= labelRect.bottom;
      for (const char c : typed) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
      if (end == 'O') ::SendMessageA(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
      if (end == 'C') ::PostMessageA(box, WM_CLOSE, 0, 0);
      if (end == 'E' || end == 'S') ::PostMessageA(edit, WM_KEYDOWN, end == 'E' ? VK_RETURN : VK_ESCAPE, 1);
      return true;
    };
    Win32Dialogs dialogs;
    EXPECT_EQ(entered, test::Answered(user, [&] { return dialogs.InputBox("Parameters", prompt, field); }));
    EXPECT_EQ(std::tuple("Parameters"s, field, "Tahoma-11"s, true, IDOK, true),
              std::tuple(caption, shownField, face, focused, defaultId, below));
    // Wrapped inside the long name and before "parameters:".
    EXPECT_EQ(prompt == longPrompt, std::count(shownPrompt.begin(), shownPrompt.end(), '\n') >= 2) << shownPrompt;
  }
}

TEST(Win32EntryCommands, AFileHeldOpenIsNeitherReadNorDeletedAndAFreeOneIsDeleted) {
  test::TempDir ttd;
  for (const char* name : {"newgrf/a.grf", "newgrf/b.grf"}) ttd.Write(name, test::GrfBuilder().Terminator().bytes());
  ttd.Write("newgrfw.cfg", "newgrf/a.grf\r\nnewgrf/b.grf\r\n");
  test::TestPlatform platform;
  platform.processes.onRun = [](const std::string&) { return ProcessOutcome::Exited; };
  SettingsStore settings(platform.registry);
  settings.Open(true);
  settings.WriteString(setting::kTtdPath, ttd.path());
  auto owned = std::make_unique<win32::ManagerWindow>(platform.ports);
  win32::ManagerWindow& window = *owned;
  window.Create();
  window.Show(SW_SHOW);
  const auto run = [&](Command command) {
    ::SendMessageA(window.list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 13 + 6));  // selects b.grf
    ::SendMessageA(window.list(), WM_LBUTTONUP, 0, MAKELPARAM(60, 13 + 6));
    ::SendMessageA(window.handle(), WM_COMMAND, MAKEWPARAM(win32::CommandId(command), 1), 0);
    EXPECT_TRUE(platform.dialogs.Done());
  };
  const std::string file = ttd.Join("newgrf/b.grf");
  const std::string question = "Do you want to delete newgrf\\b.grf file?\n\nWarning: Deleting may not work with Windows XP.";
  {
    const win32::UniqueHandle holder(win32::OrNull(
        ::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    ASSERT_TRUE(holder);
    platform.dialogs.Expect(MessageKind::Error, "Cannot find any data in this file");
    run(Command::FileInfo);
    platform.dialogs.Expect(MessageKind::Warning, question, MessageButtons::YesNo, Answer::Yes);
    platform.dialogs.Expect(MessageKind::Error, "Program cannot delete file:\n" + file);
    run(Command::Delete);
    EXPECT_EQ(2, ::SendMessageA(window.list(), LB_GETCOUNT, 0, 0));
  }
  platform.dialogs.Expect(MessageKind::Warning, question, MessageButtons::YesNo, Answer::Yes);
  platform.dialogs.Expect(MessageKind::Information, "File:\n" + file + "\ndeleted.");
  run(Command::Delete);
  EXPECT_FALSE(ttd.Exists("newgrf/b.grf"));
  EXPECT_EQ(std::tuple(LRESULT{1}, LRESULT{LB_ERR}, UINT{MF_GRAYED}),
            std::tuple(::SendMessageA(window.list(), LB_GETCOUNT, 0, 0), ::SendMessageA(window.list(), LB_GETCURSEL, 0, 0),
                       ::GetMenuState(::GetMenu(window.handle()), win32::CommandId(Command::Delete), MF_BYCOMMAND) &
                           MF_GRAYED));
  owned.reset();
  // The window's end posts the quit message, which must not end the next test's dialogs.
  for (MSG message; ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
    if (message.message != WM_QUIT) ::DispatchMessageA(&message);
  }
}

}  // namespace
}  // namespace kestrav
