// What every file system adapter must do: the same cases run natively against the POSIX
// adapter and under Wine against the Win32 one.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "platform/operation_error.h"
#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

class FileSystemContract : public ::testing::Test {
 protected:
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  FileSystem& files = *system.files;
};

TEST_F(FileSystemContract, TellsFilesFromDirectoriesWithoutRegardToLetterCase) {
  dir.Write("a.grf", "x");
  dir.MakeDirectory("tycoon.exe");
  EXPECT_TRUE(files.FileExists(dir.Join("a.grf")));
  EXPECT_FALSE(files.DirectoryExists(dir.Join("a.grf")));
  EXPECT_FALSE(files.FileExists(dir.Join("tycoon.exe")));
  EXPECT_TRUE(files.DirectoryExists(dir.Join("tycoon.exe")));
  EXPECT_FALSE(files.FileExists(dir.Join("missing.grf")));
  EXPECT_FALSE(files.FileExists(dir.Join("missing\\a.grf")));
  // Names match without regard to letter case.
  dir.Write("newgrf/Abc.GRF", "x");
  EXPECT_TRUE(files.FileExists(dir.Join("NEWGRF\\abc.grf")));
  EXPECT_TRUE(files.FileExists(dir.Join("newgrf/ABC.grf")));
  EXPECT_TRUE(files.DirectoryExists(dir.Join("NewGrf")));
}

TEST_F(FileSystemContract, ListsOrdinaryFilesMatchingThePattern) {
  dir.Write("newgrf/b.grf", "x");
  dir.Write("newgrf/A.GRF", "x");
  dir.Write("newgrf/readme.txt", "x");
  dir.Write("newgrf/abc.grfx", "x");
  dir.MakeDirectory("newgrf/dir.grf");
  auto names = files.ListFiles(dir.Join("newgrf"), "*.grf");
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"A.GRF", "b.grf"}), names);
  EXPECT_TRUE(files.ListFiles(dir.Join("missing"), "*.grf").empty());
  EXPECT_TRUE(files.ListFiles(dir.path(), "*.grf").empty());
}

TEST_F(FileSystemContract, ReadsSeeksAndReportsSize) {
  dir.Write("data.bin", std::string("0123456789", 10));
  auto file = files.OpenForRead(dir.Join("data.bin"));
  ASSERT_NE(nullptr, file);
  EXPECT_EQ(10u, file->Size());
  char buffer[8];
  EXPECT_EQ(4u, file->Read(buffer, 4));
  EXPECT_EQ("0123", std::string(buffer, 4));
  EXPECT_TRUE(file->Seek(8));
  EXPECT_EQ(2u, file->Read(buffer, 8));
  EXPECT_EQ("89", std::string(buffer, 2));
  EXPECT_EQ(0u, file->Read(buffer, 8));
  file->Seek(100);
  EXPECT_EQ(0u, file->Read(buffer, 8));
  EXPECT_EQ(nullptr, files.OpenForRead(dir.Join("missing.bin")));
  dir.MakeDirectory("folder");
  EXPECT_EQ(nullptr, files.OpenForRead(dir.Join("folder")));
  EXPECT_EQ("0123456789", *ReadWholeFile(files, dir.Join("data.bin")));
}

TEST_F(FileSystemContract, ReplacesContentWholeAndLeavesNoTemporaryFile) {
  const std::string target = dir.Join("newgrfw.cfg");
  files.WriteWholeFile(target, "first\r\n");
  files.WriteWholeFile(target, std::string("\xFF\x00\x80second", 9));
  EXPECT_EQ(std::string("\xFF\x00\x80second", 9), dir.Read("newgrfw.cfg"));
  files.WriteWholeFile(target, "");
  EXPECT_EQ("", dir.Read("newgrfw.cfg"));
  EXPECT_EQ(std::vector<std::string>{"newgrfw.cfg"}, files.ListFiles(dir.path(), "*"));
}

TEST_F(FileSystemContract, AFailedReplaceKeepsTheOldFileAndDirectoriesAreMadeWhole) {
  dir.MakeDirectory("newgrfw.cfg");
  EXPECT_THROW(files.WriteWholeFile(dir.Join("newgrfw.cfg"), "x"), OperationError);
  EXPECT_TRUE(files.DirectoryExists(dir.Join("newgrfw.cfg")));
  try {
    files.WriteWholeFile(dir.Join("no\\such\\newgrf.cfg"), "x");
    FAIL() << "wrote into a missing directory";
  } catch (const OperationError& error) {
    EXPECT_EQ("Cannot create file " + dir.Join("no\\such\\newgrf.cfg"), error.what());
  }
  EXPECT_TRUE(files.ListFiles(dir.path(), "*").empty());
  // Directory paths are made whole; a file in the way fails.
  files.CreateDirectories(dir.Join("TTD\\newgrf"));
  EXPECT_TRUE(files.DirectoryExists(dir.Join("TTD\\newgrf")));
  files.CreateDirectories(dir.Join("TTD\\newgrf"));  // already there
  dir.Write("file", "x");
  EXPECT_THROW(files.CreateDirectories(dir.Join("file\\sub")), OperationError);
}

TEST_F(FileSystemContract, CopiesKeepingTheDateAndDeletes) {
  dir.Write("source.grf", "payload");
  ASSERT_TRUE(files.CopyFileOver(dir.Join("source.grf"), dir.Join("copy.grf")));
  EXPECT_EQ("payload", dir.Read("copy.grf"));
  EXPECT_EQ(files.LastWriteTime(dir.Join("source.grf")), files.LastWriteTime(dir.Join("copy.grf")));
  EXPECT_FALSE(files.CopyFileOver(dir.Join("missing.grf"), dir.Join("copy.grf")));
  EXPECT_TRUE(files.RemoveFile(dir.Join("copy.grf")));
  EXPECT_FALSE(files.FileExists(dir.Join("copy.grf")));
  EXPECT_FALSE(files.RemoveFile(dir.Join("copy.grf")));
}

TEST_F(FileSystemContract, LastWriteTimeIsLocalTimeAtDosResolution) {
  const std::string path = dir.Write("a.grf", "x");
  std::tm local{};
  local.tm_year = 2004 - 1900;
  local.tm_mon = 4;
  local.tm_mday = 6;
  local.tm_hour = 7;
  local.tm_min = 8;
  local.tm_sec = 9;
  local.tm_isdst = -1;
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  std::filesystem::last_write_time(native, std::filesystem::file_time_type::clock::from_sys(
                                               std::chrono::system_clock::from_time_t(std::mktime(&local))));
  EXPECT_EQ((DosDateTime{2004, 5, 6, 7, 8, 8}), files.LastWriteTime(path));
  EXPECT_FALSE(files.LastWriteTime(dir.Join("missing.grf")).has_value());
}

}  // namespace
}  // namespace kestrav
