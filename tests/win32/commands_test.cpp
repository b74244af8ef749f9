// Where the commands meet the system: the real input box and open dialog, and a file another
// program holds open.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_handles.h"
#include "support/win32_dialog_answerer.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::TextOf;

TEST(Win32InputBox, TakesTypedTextUpTo255CharactersAndEndsWithEnterOrEsc) {
  const std::string longPrompt = "newgrf/" + std::string(70, 'x') + ".grf parameters:";
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
    EXPECT_EQ(entered, test::Answered(acting, [&] { return Win32Dialogs().InputBox("Parameters", prompt, field); }));
    EXPECT_EQ("Parameters|" + field + "|Tahoma-11|focused|1", seen) << "caption, field, font, focus, default button";
    // Wrapped inside the long name and before "parameters:".
    EXPECT_EQ(prompt == longPrompt, std::count(shownPrompt.begin(), shownPrompt.end(), '\n') >= 2) << shownPrompt;
  }
}

TEST(Win32EntryCommands, AFileHeldOpenHasNoInformationToShow) {
  test::ManagerFixture f;
  f.UseTtdDirectory();
  f.manager.listGrfFiles.Add("newgrf/b.grf", GrfState::Active);
  f.manager.listGrfFiles.Select(0);
  const std::string file = f.ttd.Write("newgrf/b.grf", test::GrfOf(1));
  const win32::UniqueHandle holder(
      win32::OrNull(::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
  f.platform.dialogs.Expect(MessageKind::Error, "Cannot find any data in this file");
  f.manager.TformManager::butnFileInfoClick();
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
  EXPECT_EQ(downloads.Join("set.grf"), test::Answered(typeName, [&] { return Win32Dialogs().OpenFile(request); }));
}

}  // namespace
}  // namespace kestrav
