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
  EXPECT_TRUE(MatchesWildcard("abc.GRF", "*.grf"));
  EXPECT_FALSE(MatchesWildcard("abc.grfx", "*.grf"));
  EXPECT_TRUE(MatchesWildcard("a", "?"));
  EXPECT_FALSE(MatchesWildcard("", "?"));
  EXPECT_TRUE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*a*"));
  EXPECT_FALSE(MatchesWildcard(std::string(5000, 'a'), "*a*a*a*a*a*a*b"));
}

// The XML reader's end-tag check keeps one name per open element, so nesting is bounded.
TEST(PosixXmlReader, RefusesElementsNestedBeyondItsLimit) {
  const auto nested = [](std::size_t depth) {
    std::string open = "<s ID=\"1\">", close = "</s>";
    for (std::size_t i = 1; i < depth; ++i) {
      open += "<s>";
      close += "</s>";
    }
    return open + close;
  };
  test::TempDir dir;
  auto system = MakeSystemAdapters();
  EXPECT_EQ("1", system.xml->ReadRootAttribute(dir.Write("deep.xml", nested(4096)), "ID"));
  EXPECT_EQ(std::nullopt, system.xml->ReadRootAttribute(dir.Write("deeper.xml", nested(4097)), "ID"));
}

}  // namespace
}  // namespace kestrav
#endif
