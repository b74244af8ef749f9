#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::CliResult;
using test::RunCliCommand;

TEST(CliConfig, ListsEveryEntryWithStateWordPathAndParameters) {
  test::TempDir dir;
  const std::string file = dir.Write("newgrfw.cfg",
                                     "# comment\r\nnewgrf\\a.grf 1 2\r\n\r\nnewgrf/b.grf ! 3\n#DISABLED#newgrf/c.grf\r"
                                     "newgrf/d.grf");
  const CliResult run = RunCliCommand({"config", file});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("Active\tnewgrf/a.grf\t1 2\nInactive\tnewgrf/b.grf\t3\nOff\tnewgrf/c.grf\t\nActive\tnewgrf/d.grf\t\n",
            run.out);
  EXPECT_EQ("", run.err);
}

TEST(CliConfig, WritesTheEntriesBackInTheProgramsFormat) {
  test::TempDir dir;
  const std::string file = dir.Write("in.cfg", "newgrf\\a.grf 1 2\n#x\nnewgrf/b.grf 0 !\n#DISABLED#newgrf/c.grf ! 4");
  const CliResult run = RunCliCommand({"config", file, "--write", dir.Join("out.cfg")});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("newgrf/a.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf 4\r\n", dir.Read("out.cfg"));
}

TEST(CliConfig, ReportsFailuresAndUsage) {
  test::TempDir dir;
  const std::string missing = dir.Join("missing.cfg");
  CliResult run = RunCliCommand({"config", missing});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ("Cannot open file " + missing + "\n", run.err);
  EXPECT_EQ("", run.out);

  const std::string file = dir.Write("in.cfg", "newgrf/a.grf\n");
  dir.MakeDirectory("out.cfg");
  const std::string out = dir.Join("out.cfg");
  run = RunCliCommand({"config", file, "--write", out});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ("Cannot create file " + out + "\n", run.err);

  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"config"}, {"config", file, "--write"}, {"config", file, "extra"}, {"nonsense"}}) {
    run = RunCliCommand(args);
    EXPECT_EQ(2, run.status);
    EXPECT_NE(std::string::npos, run.err.find("usage: kestrav-cli"));
  }
}

}  // namespace
}  // namespace kestrav
