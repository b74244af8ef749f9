#ifndef _WIN32
#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "grf/grf_reader.h"
#include "platform/operation_error.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

namespace fs = std::filesystem;

class PosixFiles : public ::testing::Test {
 protected:
  std::string Native(const std::string& relative) const { return files.Resolve(dir.Join(relative)); }
  mode_t Mode(const std::string& relative) const {
    struct stat info {};
    ::stat(Native(relative).c_str(), &info);
    return info.st_mode & 07777;
  }
  test::TempDir dir;
  mutable PosixFileSystem files;
};

TEST_F(PosixFiles, ResolvesEachComponentsLetterCaseAndSeesADirectoryChange) {
  dir.Write("Game/NewGRF/Abc.grf", "x");
  const std::string root = dir.path();
  // A directory changed some time ago: its listing is kept, until it changes again.
  const timespec past[2] = {{::time(nullptr) - 60, 0}, {::time(nullptr) - 60, 0}};
  ASSERT_EQ(0, ::utimensat(AT_FDCWD, (root + "/Game/NewGRF").c_str(), past, 0));
  EXPECT_EQ(root + "/Game/NewGRF/Abc.grf", files.Resolve(root + "\\game\\newgrf\\ABC.GRF"));
  EXPECT_EQ(root + "/Game/NewGRF/new.GRF", files.Resolve(root + "\\game\\newgrf\\new.GRF"));
  dir.Write("Game/NewGRF/New.grf", "x");
  EXPECT_EQ(root + "/Game/NewGRF/New.grf", files.Resolve(root + "\\game\\newgrf\\new.GRF"));
  // A missing component keeps its spelling, and so does everything after it.
  EXPECT_EQ(root + "/Game/Other/x.grf", files.Resolve(root + "\\GAME\\Other\\x.grf"));
}

TEST_F(PosixFiles, HidesDotFilesAndLeavesReadOnlyFilesAsTheyAre) {
  dir.Write(".hidden.grf", "x");
  const std::string locked = dir.Write("locked.grf", "old");
  ::chmod(Native("locked.grf").c_str(), 0444);
  EXPECT_EQ(std::vector<std::string>{"locked.grf"}, files.ListFiles(dir.path(), "*.grf"));
  EXPECT_FALSE(files.RemoveFile(locked));
  EXPECT_THROW(files.WriteWholeFile(locked, "new"), OperationError);
  EXPECT_EQ("old", dir.Read("locked.grf"));
  EXPECT_TRUE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*a*"));
  EXPECT_FALSE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*b"));
}

TEST_F(PosixFiles, AWriteKeepsTheModeAndGoesThroughSymbolicLinks) {
  dir.Write("real/newgrfw.cfg", "old");
  ::chmod(Native("real/newgrfw.cfg").c_str(), 0640);
  fs::create_symlink("real/newgrfw.cfg", Native("link.cfg"));
  fs::create_symlink(Native("link.cfg"), Native("chain.cfg"));
  files.WriteWholeFile(dir.Join("CHAIN.cfg"), "new");
  EXPECT_TRUE(fs::is_symlink(Native("chain.cfg")) && fs::is_symlink(Native("link.cfg")));
  EXPECT_EQ("new", dir.Read("real/newgrfw.cfg"));
  EXPECT_EQ(0640u, Mode("real/newgrfw.cfg"));
  files.WriteWholeFile(dir.Join("fresh.cfg"), "");
  EXPECT_EQ(0644u, Mode("fresh.cfg"));
  fs::create_symlink("loop.cfg", Native("loop.cfg"));
  EXPECT_THROW(files.WriteWholeFile(dir.Join("loop.cfg"), "x"), OperationError);
}

// Opening a FIFO for reading waits for a writer: it must be refused at once, as devices are.
TEST_F(PosixFiles, SpecialFilesAreRefusedWithoutWaiting) {
  ASSERT_EQ(0, ::mkfifo(Native("fifo.grf").c_str(), 0644));
  for (const std::string& path : {dir.Join("fifo.grf"), std::string("/dev/zero")}) {
    EXPECT_EQ(nullptr, files.OpenForRead(path)) << path;
    EXPECT_FALSE(AnalyzeGrf(files, path).opened) << path;
  }
  EXPECT_THROW(files.WriteWholeFile(dir.Join("fifo.grf"), "x"), OperationError);
}

}  // namespace
}  // namespace kestrav
#endif
