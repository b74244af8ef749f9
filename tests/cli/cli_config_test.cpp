#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::RunCliCommand;

// How lines are read and cleaned is the configuration file's own, tested with the model.
TEST(CliConfig, ListsTheEntriesWritesThemBackAndReportsFailures) {
  test::TempDir dir;
  const std::string lines = "newgrf/a.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf 4\r\n";
  const std::string file = dir.Write("in.cfg", "# comment\r\n" + lines);
  auto run = RunCliCommand({"config", file});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("Active\tnewgrf/a.grf\t1 2\nInactive\tnewgrf/b.grf\t\nOff\tnewgrf/c.grf\t4\n", run.out);
  EXPECT_EQ("", run.err);
  run = RunCliCommand({"config", file, "--write", dir.Join("out.cfg")});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ(lines, dir.Read("out.cfg"));

  const std::string missing = dir.Join("missing.cfg");
  const struct {
    std::vector<std::string> args;
    std::string error;
  } failures[] = {
      {{"config", missing}, "Cannot open file " + missing},
      {{"config", file, "--write", dir.path()}, "Cannot create file " + dir.path()},
  };
  for (const auto& [args, error] : failures) {
    run = RunCliCommand(args);
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ(error + "\n", run.err);
  }
}

}  // namespace
}  // namespace kestrav
