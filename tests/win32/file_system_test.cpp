// What only the Windows file system has: attributes a save must keep and devices named like
// files (the shared rules of the port are in tests/platform).
#include <windows.h>

#include <gtest/gtest.h>

#include "grf/grf_reader.h"
#include "platform/operation_error.h"
#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

TEST(Win32FileSystem, ASaveKeepsTheFilesAttributesAndLeavesAReadOnlyFileAsItIs) {
  test::TempDir dir;
  auto files = MakeSystemAdapters().files;
  const std::string kept = dir.Write("newgrfw.cfg", "old"), locked = dir.Write("newgrf.cfg", "old");
  ASSERT_TRUE(::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  files->WriteWholeFile(kept, "new");
  EXPECT_EQ("new", dir.Read("newgrfw.cfg"));
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
            ::GetFileAttributesA(kept.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_THROW(files->WriteWholeFile(locked, "new"), OperationError);
  EXPECT_EQ("old", dir.Read("newgrf.cfg"));
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(dir.Join("*.tmp").c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "a temporary or backup file was left: " << found.cFileName;
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

TEST(Win32FileSystem, ADeviceNamedLikeAFileIsNotRead) {
  test::TempDir dir;
  auto files = MakeSystemAdapters().files;
  for (const char* name : {"NUL.grf", "nul", "CON.grf"}) {
    EXPECT_EQ(nullptr, files->OpenForRead(dir.Join(name))) << name;
    EXPECT_FALSE(AnalyzeGrf(*files, dir.Join(name)).opened) << name;
  }
}

}  // namespace
}  // namespace kestrav
