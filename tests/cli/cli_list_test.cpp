// The list and save commands: their output format, exit codes and error paths (the rules
// behind them are the controller's and are tested there).
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::RunCliCommand;

const std::string kReplace = "Confirm: File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?\n";

TEST(CliList, PrintsTheListAndTheStatusBarWithTheBoxesOnStandardError) {
  test::TempDir dir;
  dir.Write("GameGFX.exe", "");
  for (const char* name : {"newgrf/a.grf", "newgrf/b.grf"}) dir.Write(name, std::string("\x01\x00\x02\x00\x00", 5));
  dir.Write("newgrf/c.grf", std::string("\x01\x00\xFF\x01\x00\x00", 6));
  dir.Write("newgrfw.cfg",
            "# my list\r\nnewgrf/b.grf 1 2\r\nnewgrf/a.grf !\r\n#DISABLED#newgrf/c.grf\r\nnewgrf/gone.grf\r\n");
  const std::string warning = "Warning: Files:\n" + dir.path() + "\\newgrf\\gone.grf\nwere not found.\n";
  const struct {
    std::vector<std::string> switches;
    std::string probeError, aState, activeSprites;
  } cases[] = {
      {{"--inactive"}, "", "Inactive", "1"},
      {{"--no-inactive"}, "", "Active", "2"},
      // The patch cannot be run here; the inactive state stays offered, as at start-up.
      {{}, "Error: Kestrav could not create process!\n", "Inactive", "1"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"list", dir.path()};
    args.insert(args.end(), c.switches.begin(), c.switches.end());
    const auto run = RunCliCommand(args);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("Active\tnewgrf/b.grf 1 2\n" + c.aState + "\tnewgrf/a.grf\nOff\tnewgrf/c.grf\nTotal Sprites: 2\n" +
                  "Active Sprites: " + c.activeSprites + "\n",
              run.out);
    EXPECT_EQ(c.probeError + warning, run.err);
  }
  EXPECT_NE(std::string::npos, dir.Read("newgrfw.cfg").find("# my list")) << "listing changes nothing";
}

TEST(CliSave, AQuestionAnsweredNoOrAnUnknownEditionFailsTheRun) {
  std::string many;  // one sprite more than the limit
  for (int i = 0; i < 11484; ++i) many += std::string("\x01\x00\x02", 3);
  for (const bool yes : {false, true}) {
    test::TempDir dir;
    dir.Write("tycoon.exe", "");
    dir.Write("newgrf/big.grf", many + std::string("\x00\x00", 2));
    dir.Write("newgrf.cfg", "# kept unless saved\r\nnewgrf/big.grf\r\n");
    std::vector<std::string> args = {"save", dir.path(), "--no-inactive"};
    if (yes) args.push_back("--yes");
    const auto run = RunCliCommand(args);
    EXPECT_EQ(yes ? 0 : 1, run.status);
    EXPECT_EQ(0u, run.err.find("Warning: There are more active sprites than 11483!\n"));
    EXPECT_EQ(yes, run.err.ends_with("Do you want to continue?\n" + kReplace + "Information: 'newgrf.cfg' saved\n"))
        << run.err;
    EXPECT_EQ(yes ? "newgrf/big.grf\r\n" : "# kept unless saved\r\nnewgrf/big.grf\r\n", dir.Read("newgrf.cfg"));
  }
  test::TempDir unknown;
  unknown.Write("ttd.exe", "");
  unknown.Write("newgrfw.cfg", "");
  const auto run = RunCliCommand({"save", unknown.path(), "--no-inactive"});
  EXPECT_EQ(1, run.status);
  EXPECT_TRUE(run.err.ends_with(kReplace + "Error: Kestrav can't recognize your TTD version.\n")) << run.err;
}

TEST(Cli, ReportsFailuresAndUsage) {
  test::TempDir dir;
  dir.Write("newgrf", "a file where the directory belongs");
  const auto run = RunCliCommand({"list", dir.path(), "--inactive"});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ("", run.out);
  EXPECT_EQ("Cannot create directory " + dir.path() + "\\newgrf\n", run.err);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"nonsense"}, {"config"}, {"config", "a", "--write"}, {"config", "a", "extra"}, {"analyze"}, {"list"},
           {"save"}, {"list", "a", "extra"}, {"list", "a", "--inactive", "--no-inactive"}, {"list", "a", "--yes"},
           {"save", "a", "--all"}, {"list", "--inactive"}}) {
    const auto usage = RunCliCommand(args);
    EXPECT_EQ(2, usage.status) << testing::PrintToString(args);
    EXPECT_EQ("", usage.out);
    EXPECT_EQ(0u, usage.err.find("usage: kestrav-cli COMMAND ...\n")) << testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace kestrav
