// The install command: the switches answer the questions, the status says what was installed.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

TEST(CliInstall, AnswersYesOnlyWithTheSwitchesAndFailsWhenAFileWasNotInstalled) {
  const std::tuple<std::vector<std::string>, int, const char*, bool> cases[] = {
      // switches, status, the installed b.grf, the source b.grf kept
      {{}, 1, "old", true},
      {{"--delete-source", "--replace"}, 0, "new", false},
  };
  for (const auto& [switches, status, installed, sourceKept] : cases) {
    test::TempDir ttd, downloads;
    ttd.Write("newgrf/b.grf", "old");
    std::vector<std::string> args = {"install", ttd.path(), downloads.Write("a.grf", "a"),
                                     downloads.Write("b.grf", "new")};
    args.insert(args.end(), switches.begin(), switches.end());
    EXPECT_EQ(status, test::RunCliCommand(args).status);
    EXPECT_EQ(installed, ttd.Read("newgrf/b.grf"));
    EXPECT_TRUE(ttd.Exists("newgrf/a.grf"));
    EXPECT_EQ(sourceKept, downloads.Exists("b.grf"));
  }
  EXPECT_EQ(2, test::RunCliCommand({"install", "TTD", "--yes"}).status);
}

}  // namespace
}  // namespace kestrav
