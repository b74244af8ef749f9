// The real open dialog, answered by a timer that types a name into it, and a real start
// through the shell of the stand-in patch, which records how it was started.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "platform/system_platform.h"
#include "platform/win32/win32_dialogs.h"
#include "support/temp_dir.h"
#include "support/win32_dialog_answerer.h"

namespace kestrav {
namespace {

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
