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
  std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const OperationError& error) {
      return error.what();
    }
    return "no error";
  }
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  FileSystem& files = *system.files;
};

TEST_F(FileSystemContract, TellsFilesFromDirectoriesWithoutRegardToLetterCaseAndListsOrdinaryFiles) {
  for (const char* name : {"newgrf/b.grf", "newgrf/A.GRF", "newgrf/readme.txt", "newgrf/abc.grfx"}) dir.Write(name, "");
  dir.MakeDirectory("newgrf/dir.grf");
  EXPECT_TRUE(files.FileExists(dir.Join("NEWGRF\\a.grf")));
  EXPECT_FALSE(files.DirectoryExists(dir.Join("newgrf/B.grf")));
  EXPECT_FALSE(files.FileExists(dir.Join("NewGrf")));
  EXPECT_TRUE(files.DirectoryExists(dir.Join("NewGrf")));
  auto names = files.ListFiles(dir.Join("newgrf"), "*.grf");
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"A.GRF", "b.grf"}), names);
  EXPECT_TRUE(files.ListFiles(dir.Join("missing"), "*.grf").empty());
}

TEST_F(FileSystemContract, ReadsSeeksReportsSizeAndLastWriteTimeInLocalTimeAtDosResolution) {
  auto file = files.OpenForRead(dir.Write("data.bin", "0123456789"));
  ASSERT_NE(nullptr, file);
  char buffer[8];
  EXPECT_EQ("0123", std::string(buffer, file->Read(buffer, 4)));
  EXPECT_TRUE(file->Seek(8));
  EXPECT_EQ("89", std::string(buffer, file->Read(buffer, 8)));
  file->Seek(100);
  EXPECT_EQ(std::pair(10ull, std::size_t{0}), std::pair(static_cast<unsigned long long>(file->Size()),
                                                        file->Read(buffer, 8)));
  dir.MakeDirectory("folder");
  EXPECT_EQ(nullptr, files.OpenForRead(dir.Join("folder")));
  EXPECT_EQ(nullptr, files.OpenForRead(dir.Join("missing.bin")));

  std::tm local{0, 8, 7, 6, 4, 2004 - 1900};
  local.tm_sec = 9, local.tm_isdst = -1;
  std::filesystem::last_write_time(std::filesystem::path(dir.path()) / "data.bin",
                                   std::filesystem::file_time_type::clock::from_sys(
                                       std::chrono::system_clock::from_time_t(std::mktime(&local))));
  EXPECT_EQ((DosDateTime{2004, 5, 6, 7, 8, 8}), files.LastWriteTime(dir.Join("data.bin")));
  EXPECT_FALSE(files.LastWriteTime(dir.Join("missing.grf")).has_value());
}

TEST_F(FileSystemContract, ReplacesContentWholeOrKeepsTheOldFileAndMakesDirectoryPaths) {
  const std::string target = dir.Join("newgrfw.cfg");
  files.WriteWholeFile(target, "first\r\n");
  files.WriteWholeFile(target, std::string("\xFF\x00\x80second", 9));
  EXPECT_EQ(std::string("\xFF\x00\x80second", 9), dir.Read("newgrfw.cfg"));
  dir.MakeDirectory("newgrf.cfg");
  const std::string nowhere = dir.Join("no\\such\\newgrf.cfg");
  EXPECT_EQ("Cannot create file " + dir.Join("newgrf.cfg"), ErrorOf([&] { files.WriteWholeFile(dir.Join("newgrf.cfg"), "x"); }));
  EXPECT_EQ("Cannot create file " + nowhere, ErrorOf([&] { files.WriteWholeFile(nowhere, "x"); }));
  EXPECT_TRUE(files.DirectoryExists(dir.Join("newgrf.cfg")));
  EXPECT_EQ(std::vector<std::string>{"newgrfw.cfg"}, files.ListFiles(dir.path(), "*")) << "no temporary file left";
  EXPECT_TRUE(files.RemoveFile(target));
  EXPECT_FALSE(files.RemoveFile(target));

  files.CreateDirectories(dir.Join("TTD\\newgrf"));
  files.CreateDirectories(dir.Join("TTD\\newgrf"));  // already there
  EXPECT_TRUE(files.DirectoryExists(dir.Join("TTD\\newgrf")));
  dir.Write("file", "x");
  EXPECT_EQ("Cannot create directory " + dir.Join("file\\sub"),
            ErrorOf([&] { files.CreateDirectories(dir.Join("file\\sub")); }));
}

}  // namespace
}  // namespace kestrav
