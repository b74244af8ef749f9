// The real open dialog, answered by a timer that types a name into it, and a real start
// through the shell of the stand-in patch, which records how it was started.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "platform/system_platform.h"
#include "platform/win32/win32_dialogs.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

const char* typed = nullptr;  // what the timer types into the open dialog of this thread once

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[8] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770") *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}

void CALLBACK TypeAndOpen(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  HWND name = typed ? ::GetDlgItem(dialog, cmb13) : nullptr;
  if (typed && !name) name = ::GetDlgItem(dialog, edt1);
  if (name) ::SetWindowTextA(name, typed);
  // Whatever is still open at the next tick (the dialog, a box of its own) is cancelled: the test must not hang.
  ::PostMessageA(dialog, WM_COMMAND, name ? IDOK : IDCANCEL, 0);
  typed = nullptr;
}

TEST(Win32OpenDialog, StartsInTheGivenFolderAndGivesTheFullPathOfTheNameTyped) {
  test::TempDir downloads;
  downloads.Write("set.grf", "grf");
  typed = "set.grf";
  FileDialogRequest request;
  request.filter = "Transport Tycoon Graphic Files (*.grf)|*.grf";
  request.initialDirectory = downloads.path() + "\\";
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, TypeAndOpen);
  const auto chosen = Win32Dialogs().OpenFile(request);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(downloads.Join("set.grf"), chosen);
}

TEST(Win32Shell, StartsTheProgramInTheDirectoryGivenWithItsParametersInANormalWindow) {
  test::TempDir ttd;
  char path[MAX_PATH * 4];
  const std::string exe(path, ::GetModuleFileNameA(nullptr, path, sizeof path));
  ttd.MakeDirectory("TTD Deluxe");
  const std::string patch = ttd.Join("TTD Deluxe\\ttdpatchw.exe");
  ASSERT_TRUE(::CopyFileA((exe.substr(0, exe.rfind('\\')) + "\\standin_patch.exe").c_str(), patch.c_str(), FALSE));
  MakeSystemAdapters().shell->Open(patch, "one \"two words\"", ttd.path());
  for (int wait = 0; wait < 200 && ttd.Read("TTD Deluxe/standin.start").empty(); ++wait) ::Sleep(50);
  EXPECT_EQ(ttd.path() + "\none two words", ttd.Read("TTD Deluxe/standin.start"));
  // STARTF_USESHOWWINDOW, SW_SHOWNORMAL
  EXPECT_EQ("switches.xml absent, flags 1, show 1", ttd.Read("TTD Deluxe/standin.log"));
}

}  // namespace
}  // namespace kestrav
