// The parameter input box as the user meets it, and the commands on the selected entry on a
// file the system holds open.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_handles.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

std::string TextOf(HWND window) {
  std::string text(1024, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), 1024)));
  return text;
}

// What show gives back while user, run by a timer of the dialog's own loop, acts on the
// dialog show opens. A dialog still open seconds later is cancelled: no test may hang.
std::function<void(HWND)> user;
int ticks = 0;
template <class Show>
auto WithUser(std::function<void(HWND)> acting, Show show) {
  user = std::move(acting);
  ticks = 0;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    const HWND box = ::FindWindowA("#32770", nullptr);
    if (box && user) std::exchange(user, nullptr)(box);
    if (box && ++ticks > 100) ::EndDialog(box, IDCANCEL);
  });
  const auto result = show();
  ::KillTimer(nullptr, timer);
  return result;
}

TEST(Win32InputBox, TakesTypedTextUpTo255CharactersAndEndsWithOkOrCancel) {
  const std::string longPrompt = "newgrf/" + std::string(70, 'x') + ".grf parameters:";
  const std::tuple<std::string, std::string, std::string, char, std::optional<std::string>> cases[] = {
      // prompt, field, typed (replacing the field's text), the end: Return, OK, Escape, close (X)
      {"newgrf/abc.grf parameters:", "1 2", "5 -6", 'R', "5 -6"},
      {"p:", "", std::string(300, '7'), 'O', std::string(255, '7')},
      {longPrompt, std::string(300, '1'), "", 'E', std::nullopt},  // a longer text is shown whole
      {"p:", "1 2", "3", 'X', std::nullopt},
  };
  for (const auto& [prompt, field, typed, end, entered] : cases) {
    SCOPED_TRACE(prompt + "|" + end);
    std::string seen, shownPrompt;
    const auto acting = [&](HWND box) {
      const HWND edit = ::GetDlgItem(box, 101);
      LOGFONTA font{};
      ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(edit, WM_GETFONT, 0, 0)), sizeof font, &font);
      seen = TextOf(box) + "|" + TextOf(edit) + "|" + font.lfFaceName + std::to_string(font.lfHeight) +
             (::GetFocus() == edit ? "|focused|" : "||") +
             std::to_string(LOWORD(::SendMessageA(box, DM_GETDEFID, 0, 0)));
      shownPrompt = TextOf(::GetDlgItem(box, 100));
      for (const char c : typed) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
      if (end == 'O') ::SendMessageA(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
      if (end == 'X') ::PostMessageA(box, WM_CLOSE, 0, 0);
      if (end == 'R' || end == 'E') ::PostMessageA(edit, WM_KEYDOWN, end == 'R' ? VK_RETURN : VK_ESCAPE, 1);
    };
    Win32Dialogs dialogs;
    EXPECT_EQ(entered, WithUser(acting, [&] { return dialogs.InputBox("Parameters", prompt, field); }));
    EXPECT_EQ("Parameters|" + field + "|Tahoma-11|focused|1", seen) << "caption, field, font, focus, default button";
    // Wrapped inside the long name and before "parameters:".
    EXPECT_EQ(prompt == longPrompt, std::count(shownPrompt.begin(), shownPrompt.end(), '\n') >= 2) << shownPrompt;
  }
}

// Deleting a free file, read-only files and directories run under Wine with the controller's
// tests; a file another program holds open is Windows' own case.
TEST(Win32EntryCommands, AFileHeldOpenIsNeitherReadNorDeleted) {
  test::ManagerFixture f;
  f.UseTtdDirectory();
  f.manager.listGrfFiles.Add("newgrf/b.grf", GrfState::Active);
  f.manager.listGrfFiles.Select(0);
  const std::string file = f.ttd.Write("newgrf/b.grf", test::GrfOf(1));
  const win32::UniqueHandle holder(
      win32::OrNull(::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
  f.platform.dialogs.Expect(MessageKind::Error, "Cannot find any data in this file");
  f.manager.TformManager::butnFileInfoClick();
  f.platform.dialogs.Expect(
      MessageKind::Warning,
      "Do you want to delete newgrf\\b.grf file?\n\nWarning: Deleting may not work with Windows XP.",
      MessageButtons::YesNo, Answer::Yes);
  f.platform.dialogs.Expect(MessageKind::Error, "Program cannot delete file:\n" + file);
  f.manager.butnDeleteClick();
  EXPECT_EQ(1, f.manager.listGrfFiles.Count());
  EXPECT_TRUE(f.ttd.Exists("newgrf/b.grf"));
}

}  // namespace
}  // namespace kestrav
