// What every file system adapter must do: the same cases run natively against the POSIX
// adapter and under Wine against the Win32 one.
#include <gmock/gmock.h>
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

using ::testing::ThrowsMessage;

class FileSystemContract : public ::testing::Test {
 protected:
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  FileSystem& files = *system.files;
};

TEST_F(FileSystemContract, TellsFilesFromDirectoriesWithoutRegardToLetterCase) {
  dir.Write("newgrf/Abc.GRF", "x");
  EXPECT_TRUE(files.FileExists(dir.Join("NEWGRF\\abc.grf")));
  EXPECT_FALSE(files.DirectoryExists(dir.Join("newgrf/ABC.grf")));
  EXPECT_FALSE(files.FileExists(dir.Join("NewGrf")));
  EXPECT_TRUE(files.DirectoryExists(dir.Join("NewGrf")));
}

TEST_F(FileSystemContract, ListsOrdinaryFilesMatchingThePattern) {
  for (const char* name : {"newgrf/b.grf", "newgrf/A.GRF", "newgrf/readme.txt", "newgrf/abc.grfx"}) dir.Write(name, "");
  dir.MakeDirectory("newgrf/dir.grf");
  auto names = files.ListFiles(dir.Join("newgrf"), "*.grf");
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"A.GRF", "b.grf"}), names);
  EXPECT_TRUE(files.ListFiles(dir.Join("missing"), "*.grf").empty());
}

TEST_F(FileSystemContract, ReadsSeeksAndReportsSize) {
  auto file = files.OpenForRead(dir.Write("data.bin", "0123456789"));
  ASSERT_NE(nullptr, file);
  EXPECT_EQ(10u, file->Size());
  char buffer[8];
  EXPECT_EQ("0123", std::string(buffer, file->Read(buffer, 4)));
  EXPECT_TRUE(file->Seek(8));
  EXPECT_EQ("89", std::string(buffer, file->Read(buffer, 8)));
  file->Seek(100);
  EXPECT_EQ(0u, file->Read(buffer, 8));
  dir.MakeDirectory("folder");
  EXPECT_EQ(nullptr, files.OpenForRead(dir.Join("folder")));
  EXPECT_EQ(nullptr, files.OpenForRead(dir.Join("missing.bin")));
}

TEST_F(FileSystemContract, ReplacesContentWholeOrKeepsTheOldFile) {
  const std::string target = dir.Join("newgrfw.cfg");
  files.WriteWholeFile(target, "first\r\n");
  files.WriteWholeFile(target, std::string("\xFF\x00\x80second", 9));
  EXPECT_EQ(std::string("\xFF\x00\x80second", 9), dir.Read("newgrfw.cfg"));
  dir.MakeDirectory("newgrf.cfg");
  EXPECT_THROW(files.WriteWholeFile(dir.Join("newgrf.cfg"), "x"), OperationError);
  EXPECT_TRUE(files.DirectoryExists(dir.Join("newgrf.cfg")));
  const std::string nowhere = dir.Join("no\\such\\newgrf.cfg");
  EXPECT_THAT([&] { files.WriteWholeFile(nowhere, "x"); },
              ThrowsMessage<OperationError>("Cannot create file " + nowhere));
  EXPECT_EQ(std::vector<std::string>{"newgrfw.cfg"}, files.ListFiles(dir.path(), "*")) << "no temporary file left";
  EXPECT_TRUE(files.RemoveFile(target));
  EXPECT_FALSE(files.RemoveFile(target));
  EXPECT_FALSE(files.FileExists(target));
}

TEST_F(FileSystemContract, MakesDirectoryPathsWholeUnlessAFileIsInTheWay) {
  files.CreateDirectories(dir.Join("TTD\\newgrf"));
  files.CreateDirectories(dir.Join("TTD\\newgrf"));  // already there
  EXPECT_TRUE(files.DirectoryExists(dir.Join("TTD\\newgrf")));
  const std::string blocked = dir.Join("file\\sub");
  dir.Write("file", "x");
  EXPECT_THAT([&] { files.CreateDirectories(blocked); },
              ThrowsMessage<OperationError>("Cannot create directory " + blocked));
}

TEST_F(FileSystemContract, LastWriteTimeIsLocalTimeAtDosResolution) {
  const std::string path = dir.Write("a.grf", "x");
  std::tm local{};
  local.tm_year = 2004 - 1900, local.tm_mon = 4, local.tm_mday = 6, local.tm_hour = 7, local.tm_min = 8;
  local.tm_sec = 9, local.tm_isdst = -1;
  std::filesystem::last_write_time(std::filesystem::path(dir.path()) / "a.grf",
                                   std::filesystem::file_time_type::clock::from_sys(
                                       std::chrono::system_clock::from_time_t(std::mktime(&local))));
  EXPECT_EQ((DosDateTime{2004, 5, 6, 7, 8, 8}), files.LastWriteTime(path));
  EXPECT_FALSE(files.LastWriteTime(dir.Join("missing.grf")).has_value());
}

}  // namespace
}  // namespace kestrav
