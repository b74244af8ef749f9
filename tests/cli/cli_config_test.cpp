#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::RunCliCommand;

TEST(CliConfig, ListsTheEntriesAndWritesThemBackInTheProgramsFormat) {
  test::TempDir dir;
  const std::string file = dir.Write(
      "in.cfg", "# comment\r\nnewgrf\\a.grf 1 2\r\n\r\nnewgrf/b.grf 0 !\n#DISABLED#newgrf/c.grf ! 4\rnewgrf/d.grf");
  auto run = RunCliCommand({"config", file});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("Active\tnewgrf/a.grf\t1 2\nInactive\tnewgrf/b.grf\t0\nOff\tnewgrf/c.grf\t4\nActive\tnewgrf/d.grf\t\n",
            run.out);
  EXPECT_EQ("", run.err);
  run = RunCliCommand({"config", file, "--write", dir.Join("out.cfg")});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("newgrf/a.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf 4\r\nnewgrf/d.grf\r\n", dir.Read("out.cfg"));
}

TEST(CliConfig, ReportsFailuresAndUsage) {
  test::TempDir dir;
  const std::string missing = dir.Join("missing.cfg");
  auto run = RunCliCommand({"config", missing});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ("Cannot open file " + missing + "\n", run.err);
  EXPECT_EQ("", run.out);

  const std::string file = dir.Write("in.cfg", "newgrf/a.grf\n");
  dir.MakeDirectory("out.cfg");
  run = RunCliCommand({"config", file, "--write", dir.Join("out.cfg")});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ("Cannot create file " + dir.Join("out.cfg") + "\n", run.err);

  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"config"}, {"config", file, "--write"}, {"config", file, "extra"}, {"nonsense"}}) {
    run = RunCliCommand(args);
    EXPECT_EQ(2, run.status);
    EXPECT_NE(std::string::npos, run.err.find("usage: kestrav-cli"));
  }
}

}  // namespace
}  // namespace kestrav
