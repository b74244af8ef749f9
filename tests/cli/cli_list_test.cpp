// The list and save commands: their output format, exit codes and error paths (the rules
// behind them are the controller's and are tested there).
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::RunCliCommand;

const std::string kReplace = "Confirm: File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?\n";

// A Windows installation with a missing file and all three states.
void MakeInstallation(const test::TempDir& dir) {
  dir.Write("GameGFX.exe", "");
  dir.Write("newgrf/a.grf", std::string("\x01\x00\x02\x00\x00", 5));
  dir.Write("newgrf/b.grf", std::string("\x01\x00\x02\x00\x00", 5));
  dir.Write("newgrf/c.grf", std::string("\x01\x00\xFF\x01\x00\x00", 6));
  dir.Write("newgrfw.cfg",
            "# my list\r\nnewgrf/b.grf 1 2\r\nnewgrf/a.grf !\r\n#DISABLED#newgrf/c.grf\r\nnewgrf/gone.grf\r\n");
}

TEST(CliList, PrintsTheListAndTheStatusBarWithTheBoxesOnStandardError) {
  test::TempDir dir;
  MakeInstallation(dir);
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

  const auto save = RunCliCommand({"save", dir.path(), "--inactive"});
  EXPECT_EQ(0, save.status);
  EXPECT_EQ("", save.out);
  EXPECT_EQ(warning + kReplace + "Information: 'newgrfw.cfg' saved\n", save.err);
  EXPECT_EQ("newgrf/b.grf 1 2\r\nnewgrf/a.grf !\r\n#DISABLED#newgrf/c.grf\r\n", dir.Read("newgrfw.cfg"));

  const auto zero = RunCliCommand({"list", "0"});  // no directory at all
  EXPECT_EQ(0, zero.status);
  EXPECT_EQ("Total Sprites: 0\nActive Sprites: 0\n", zero.out);
  EXPECT_EQ("", zero.err);
}

TEST(CliSave, AQuestionAnsweredNoOrAnUnknownEditionFailsTheRun) {
  std::string many;
  for (int i = 0; i < 11484; ++i) many += std::string("\x01\x00\x02", 3);
  const std::string limit =
      "Warning: There are more active sprites than 11483!\nTTDPatch may not be able to load all graphics.\n"
      "That also depends on a game and climate you will play.\nCheck that limit while playing in TTDPatch's "
      "'New Graphic Status' window.\nDo you want to continue?\n";
  for (const bool yes : {false, true}) {
    test::TempDir dir;
    dir.Write("tycoon.exe", "");
    dir.Write("newgrf/big.grf", many + std::string("\x00\x00", 2));
    dir.Write("newgrf.cfg", "# kept unless saved\r\nnewgrf/big.grf\r\n");
    std::vector<std::string> args = {"save", dir.path(), "--no-inactive"};
    if (yes) args.push_back("--yes");
    const auto run = RunCliCommand(args);
    EXPECT_EQ(yes ? 0 : 1, run.status);
    EXPECT_EQ(yes ? limit + kReplace + "Information: 'newgrf.cfg' saved\n" : limit, run.err);
    EXPECT_EQ(yes ? "newgrf/big.grf\r\n" : "# kept unless saved\r\nnewgrf/big.grf\r\n", dir.Read("newgrf.cfg"));
  }
  test::TempDir unknown;
  unknown.Write("ttd.exe", "");
  unknown.Write("newgrfw.cfg", "");
  const auto run = RunCliCommand({"save", unknown.path(), "--no-inactive"});
  EXPECT_EQ(1, run.status);
  EXPECT_NE(std::string::npos, run.err.find(kReplace + "Error: Kestrav can't recognize your TTD version.\n"));
}

TEST(CliList, ReportsFailuresAndUsage) {
  test::TempDir dir;
  dir.Write("newgrf", "a file where the directory belongs");
  for (const char* command : {"list", "save"}) {
    const auto run = RunCliCommand({command, dir.path(), "--inactive"});
    EXPECT_EQ(1, run.status) << command;
    EXPECT_EQ("", run.out);
    EXPECT_EQ("Cannot create directory " + dir.path() + "\\newgrf\n", run.err);
  }
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"list"}, {"save"}, {"list", dir.path(), "extra"}, {"list", dir.path(), "--inactive", "--no-inactive"},
           {"list", dir.path(), "--yes"}, {"save", dir.path(), "--all"}, {"list", "--inactive"}}) {
    const auto run = RunCliCommand(args);
    EXPECT_EQ(2, run.status) << args.size();
    EXPECT_EQ("", run.out);
    EXPECT_NE(std::string::npos, run.err.find("usage: kestrav-cli"));
    EXPECT_NE(std::string::npos, run.err.find("  list TTD_DIR"));
  }
}

}  // namespace
}  // namespace kestrav
