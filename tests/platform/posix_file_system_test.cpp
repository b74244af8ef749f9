#ifndef _WIN32
#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

TEST(PosixFileSystem, ResolvesBackslashesAndLetterCasePerComponent) {
  test::TempDir dir;
  dir.Write("Game/NewGRF/Abc.grf", "x");
  const std::string root = dir.path();
  EXPECT_EQ(root + "/Game/NewGRF/Abc.grf", PosixFileSystem::Resolve(root + "\\game\\newgrf\\ABC.GRF"));
  // A missing component keeps its spelling, and so does everything after it.
  EXPECT_EQ(root + "/Game/Other/x.grf", PosixFileSystem::Resolve(root + "\\GAME\\Other\\x.grf"));
}

TEST(PosixFileSystem, HiddenFilesAreNotListedAndReadOnlyFilesAreNotDeleted) {
  test::TempDir dir;
  dir.Write(".hidden.grf", "x");
  const std::string locked = dir.Write("locked.grf", "x");
  ::chmod(PosixFileSystem::Resolve(locked).c_str(), 0444);
  PosixFileSystem files;
  EXPECT_EQ(std::vector<std::string>{"locked.grf"}, files.ListFiles(dir.path(), "*.grf"));
  EXPECT_FALSE(files.RemoveFile(locked));
  EXPECT_TRUE(files.FileExists(locked));
}

TEST(PosixFileSystem, WildcardsMatchWithoutBacktrackingBlowUp) {
  EXPECT_TRUE(MatchesWildcard("a", "?"));
  EXPECT_FALSE(MatchesWildcard("", "?"));
  EXPECT_TRUE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*a*"));
  EXPECT_FALSE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*b"));
}

// The XML reader's end-tag check keeps one name per open element, so nesting is bounded.
TEST(PosixXmlReader, RefusesElementsNestedBeyondItsLimit) {
  std::string opened = "<s ID=\"1\">", closed = "</s>";
  for (int depth = 1; depth < 4096; ++depth) opened += "<s>";
  for (int depth = 1; depth < 4096; ++depth) closed += "</s>";
  test::TempDir dir;
  auto system = MakeSystemAdapters();
  EXPECT_EQ("1", system.xml->ReadRootAttribute(dir.Write("deep.xml", opened + closed), "ID"));
  EXPECT_EQ(std::nullopt, system.xml->ReadRootAttribute(dir.Write("deeper.xml", opened + "<s></s>" + closed), "ID"));
}

}  // namespace
}  // namespace kestrav
#endif
