// What every file system adapter must do: the same cases run natively against the POSIX
// adapter and under Wine against the Win32 one; then what only the POSIX adapter does.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "support/temp_dir.h"
#include "support/test_platform.h"
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/posix/posix_file_system.h"
#endif

namespace kestrav {
namespace {

using test::ErrorOf;
using namespace std::string_literals;

class FileSystemContract : public ::testing::Test {
 protected:
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  FileSystem& files = *system.files;
};

TEST_F(FileSystemContract, TellsFilesFromDirectoriesWithoutRegardToLetterCaseAndListsOrdinaryFiles) {
  for (const char* name : {"newgrf/b.grf", "newgrf/A.GRF", "newgrf/readme.txt", "newgrf/abc.grfx"}) dir.Write(name, "");
  dir.MakeDirectory("newgrf/dir.grf");
  EXPECT_EQ(std::tuple(true, false, false, true),
            std::tuple(files.FileExists(dir.Join("NEWGRF\\a.grf")), files.DirectoryExists(dir.Join("newgrf/B.grf")),
                       files.FileExists(dir.Join("NewGrf")), files.DirectoryExists(dir.Join("NewGrf"))));
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
  for (const char* path : {"folder", "missing.bin"}) EXPECT_EQ(nullptr, files.OpenForRead(dir.Join(path))) << path;

  std::filesystem::last_write_time(std::filesystem::path(dir.path()) / "data.bin",
                                   test::LocalFileTime(2004, 5, 6, 7, 8, 9));
  EXPECT_EQ((DosDateTime{2004, 5, 6, 7, 8, 8}), files.LastWriteTime(dir.Join("data.bin")));
  EXPECT_FALSE(files.LastWriteTime(dir.Join("missing.grf")).has_value());
}

TEST_F(FileSystemContract, ReplacesContentWholeOrKeepsTheOldFileAndMakesDirectoryPaths) {
  const std::string target = dir.Join("newgrfw.cfg");
  files.WriteWholeFile(target, "first\r\n");
  files.WriteWholeFile(target, std::string("\xFF\x00\x80second", 9));
  EXPECT_EQ(std::string("\xFF\x00\x80second", 9), dir.Read("newgrfw.cfg"));
  dir.MakeDirectory("newgrf.cfg");
  EXPECT_EQ("Cannot create file " + dir.Join("newgrf.cfg"),
            ErrorOf([&] { files.WriteWholeFile(dir.Join("newgrf.cfg"), "x"); }));
  EXPECT_THROW(files.WriteWholeFile(dir.Join("no\\such\\newgrf.cfg"), "x"), OperationError);
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

TEST_F(FileSystemContract, CopiesOverTheTargetWholeWithTheSourcesTimeOrLeavesItAsItWas) {
  const std::string target = dir.Write("newgrf/set.grf", "installed"), big(300000, 'n');
  const std::pair<std::string, bool> cases[] = {
      {std::filesystem::exists("/proc/self/mem") ? "/proc/self/mem" : "Z:\\proc\\self\\mem", false},  // reads fail
      {dir.Join("missing.grf"), false},
      {dir.Join("newgrf"), false},
      {dir.Join("NEWGRF\\..\\newgrf\\Set.grf"), false},  // itself
      {dir.Write("download/set.grf", big), true},
  };
  const std::filesystem::path download = dir.path() + "/download/set.grf";
  std::filesystem::last_write_time(download, std::filesystem::last_write_time(download) - std::chrono::hours(50));
  for (const auto& [source, copied] : cases) {
    SCOPED_TRACE(source);
    EXPECT_EQ(copied, files.CopyFileOver(source, target));
    EXPECT_EQ(copied ? big : "installed", dir.Read("newgrf/set.grf"));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.path() + "/newgrf"), {})) << "nothing left";
  }
  EXPECT_EQ(files.LastWriteTime(dir.Join("download/set.grf")), files.LastWriteTime(target));
  EXPECT_FALSE(files.CopyFileOver(dir.Join("download/set.grf"), dir.Join("none/set.grf")));
}

#ifndef _WIN32
// What the POSIX adapter does to be seen as Windows is seen.
class PosixFiles : public FileSystemContract {
 protected:
  std::string Native(const std::string& relative) { return posix.Resolve(dir.Join(relative)); }
  PosixFileSystem& posix = static_cast<PosixFileSystem&>(files);
};

TEST_F(PosixFiles, ResolvesEachComponentsLetterCaseAndSeesADirectoryChange) {
  dir.Write("Game/NewGRF/Abc.grf", "x");
  const std::string root = dir.path();
  // A directory changed some time ago: its listing is kept, until it changes again.
  const timespec past[2] = {{::time(nullptr) - 60, 0}, {::time(nullptr) - 60, 0}};
  ASSERT_EQ(0, ::utimensat(AT_FDCWD, (root + "/Game/NewGRF").c_str(), past, 0));
  EXPECT_EQ(root + "/Game/NewGRF/Abc.grf", posix.Resolve(root + "\\game\\newgrf\\ABC.GRF"));
  EXPECT_EQ(root + "/Game/NewGRF/new.GRF", posix.Resolve(root + "\\game\\newgrf\\new.GRF"));
  dir.Write("Game/NewGRF/New.grf", "x");
  EXPECT_EQ(root + "/Game/NewGRF/New.grf", posix.Resolve(root + "\\game\\newgrf\\new.GRF"));
  // A missing component keeps its spelling, and so does everything after it.
  EXPECT_EQ(root + "/Game/Other/x.grf", posix.Resolve(root + "\\GAME\\Other\\x.grf"));
  EXPECT_TRUE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*a*"));
  EXPECT_FALSE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*b"));
}

TEST_F(PosixFiles, HidesDotFilesKeepsReadOnlyFilesAndRefusesSpecialFilesWithoutWaitingEvenToCopy) {
  dir.Write(".hidden.grf", "x");
  const std::string locked = dir.Write("locked.grf", "old");
  ::chmod(Native("locked.grf").c_str(), 0444);
  EXPECT_EQ(std::vector<std::string>{"locked.grf"}, files.ListFiles(dir.path(), "*.grf"));
  EXPECT_FALSE(files.RemoveFile(locked));
  EXPECT_THROW(files.WriteWholeFile(locked, "new"), OperationError);
  EXPECT_EQ("old", dir.Read("locked.grf"));
  // Opening a FIFO for reading waits for a writer: it is refused at once, as devices are.
  ASSERT_EQ(0, ::mkfifo(Native("fifo.grf").c_str(), 0644));
  for (const std::string& path : {dir.Join("fifo.grf"), std::string("/dev/zero")}) {
    EXPECT_EQ(nullptr, files.OpenForRead(path)) << path;
  }
  EXPECT_THROW(files.WriteWholeFile(dir.Join("fifo.grf"), "x"), OperationError);
  EXPECT_FALSE(files.CopyFileOver(dir.Join("fifo.grf"), dir.Join("copy.grf")));
}

TEST_F(PosixFiles, AWriteKeepsTheModeAndGoesThroughSymbolicLinksAndADeleteTakesTheLinkAlone) {
  namespace fs = std::filesystem;
  dir.Write("real/newgrfw.cfg", "old");
  ::chmod(Native("real/newgrfw.cfg").c_str(), 0640);
  fs::create_symlink("real/newgrfw.cfg", Native("link.cfg"));
  fs::create_symlink(Native("link.cfg"), Native("chain.cfg"));
  files.WriteWholeFile(dir.Join("CHAIN.cfg"), "new");
  files.WriteWholeFile(dir.Join("fresh.cfg"), "");
  EXPECT_EQ(std::tuple(true, true, "new"s, fs::perms(0640), fs::perms(0644)),
            std::tuple(fs::is_symlink(Native("chain.cfg")), fs::is_symlink(Native("link.cfg")),
                       dir.Read("real/newgrfw.cfg"), fs::status(Native("real/newgrfw.cfg")).permissions(),
                       fs::status(Native("fresh.cfg")).permissions()));
  fs::create_symlink("loop.cfg", Native("loop.cfg"));
  EXPECT_THROW(files.WriteWholeFile(dir.Join("loop.cfg"), "x"), OperationError);
  EXPECT_TRUE(files.RecycleFile(dir.Join("chain.cfg")) && files.RemoveFile(dir.Join("link.cfg")));
  EXPECT_EQ(std::tuple(false, "new"s),
            std::tuple(fs::exists(fs::symlink_status(Native("link.cfg"))), dir.Read("real/newgrfw.cfg")));
}
#endif

}  // namespace
}  // namespace kestrav
