#include <gtest/gtest.h>

#include "model/list_validation.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::CliResult;
using test::RunCliCommand;

const std::string kNormal("\x01\x00\x02\x00\x00", 5);
const std::string kPseudo("\x01\x00\xFF\x01\x00\x00", 6);
const char* const kReplace = "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?";

// A Windows installation with upper-case configuration names, a missing file, a main
// graphics file, parameters and all three states.
void MakeInstallation(const test::TempDir& dir) {
  dir.Write("GameGFX.exe", "");
  dir.Write("newgrf/a.grf", kNormal);
  dir.Write("newgrf/b.grf", kNormal);
  dir.Write("newgrf/c.grf", kNormal);
  dir.Write("newgrf/d.grf", kPseudo);
  dir.Write("newgrf/trg1r.grf", kNormal);
  dir.Write("NEWGRFW.CFG",
            "# my list\r\nNEWGRF/B.GRF 1 2\r\nnewgrf\\A.GRF !\r\n#DISABLED#newgrf/c.grf\r\nnewgrf/gone.grf\r\n"
            "newgrf/trg1r.grf\r\nnewgrf/d.grf\r\n");
}

std::string Warnings(const test::TempDir& dir) {
  return "Warning: Files:\n" + dir.path() + "\\newgrf\\gone.grf\nwere not found.\nWarning: " +
         kMainGraphicsWarning + "\n";
}

TEST(CliList, PrintsTheMergedListAndTheStatusBar) {
  test::TempDir dir;
  MakeInstallation(dir);
  struct Case {
    std::vector<std::string> switches;
    std::string probeError;
    std::string aState;
    std::string activeSprites;
  };
  const Case cases[] = {
      {{"--inactive"}, "", "Inactive", "1"},
      {{"--no-inactive"}, "", "Active", "2"},
      // The patch cannot be run here; the inactive state stays offered, as at start-up.
      {{}, "Error: Kestrav could not create process!\n", "Inactive", "1"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"list", dir.path()};
    args.insert(args.end(), c.switches.begin(), c.switches.end());
    const CliResult run = RunCliCommand(args);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("Active\tnewgrf/b.grf 1 2\n" + c.aState +
                  "\tnewgrf/a.grf\n"
                  "Off\tnewgrf/c.grf\n"
                  "Off\tnewgrf/trg1r.grf\n"
                  "Active\tnewgrf/d.grf\n"
                  "Total Sprites: 2\n"
                  "Active Sprites: " + c.activeSprites + "\n",
              run.out);
    EXPECT_EQ(c.probeError + Warnings(dir), run.err);
  }
  // Listing changes nothing.
  EXPECT_NE(std::string::npos, dir.Read("NEWGRFW.CFG").find("# my list"));
}

TEST(CliList, ShowsTheWarningsOfAnEmptyInstallation) {
  test::TempDir dir;
  const CliResult run = RunCliCommand({"list", dir.path(), "--no-inactive"});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("Total Sprites: 0\nActive Sprites: 0\n", run.out);
  EXPECT_EQ(
      "Warning: There are no files in 'newgrf' directory.\nThis directory will contain installed GRF files in "
      "future.\n"
      "Warning: File 'newgrf.cfg' or 'newgrfw.cfg' was not found in your TTD directory.\nIt will be created when "
      "you use Save option (Ctrl+S).\n",
      run.err);
  EXPECT_TRUE(dir.Exists("newgrf"));
}

TEST(CliSave, SavesTheLoadedListUnchanged) {
  test::TempDir dir;
  MakeInstallation(dir);
  const CliResult run = RunCliCommand({"save", dir.path(), "--inactive"});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("", run.out);
  EXPECT_EQ(Warnings(dir) + "Confirm: " + kReplace + "\nInformation: 'newgrfw.cfg' saved\n", run.err);
  EXPECT_EQ(
      "newgrf/b.grf 1 2\r\nnewgrf/a.grf !\r\n#DISABLED#newgrf/c.grf\r\n#DISABLED#newgrf/trg1r.grf\r\n"
      "newgrf/d.grf\r\n",
      dir.Read("NEWGRFW.CFG"));
  EXPECT_FALSE(dir.Exists("newgrf.cfg"));
}

TEST(CliSave, StopsAtTheSpriteLimitUnlessToldToGoOn) {
  std::string many;
  for (int i = 0; i < 11484; ++i) many += std::string("\x01\x00\x02", 3);
  many += std::string("\x00\x00", 2);
  for (const bool yes : {false, true}) {
    test::TempDir dir;
    dir.Write("tycoon.exe", "");
    dir.Write("newgrf/big.grf", many);
    dir.Write("newgrf.cfg", "# kept unless saved\r\nnewgrf/big.grf\r\n");
    std::vector<std::string> args = {"save", dir.path(), "--no-inactive"};
    if (yes) args.push_back("--yes");
    const CliResult run = RunCliCommand(args);
    EXPECT_EQ(0, run.status);
    const std::string question =
        "Warning: There are more active sprites than 11483!\nTTDPatch may not be able to load all graphics.\n"
        "That also depends on a game and climate you will play.\nCheck that limit while playing in TTDPatch's "
        "'New Graphic Status' window.\nDo you want to continue?\n";
    if (yes) {
      EXPECT_EQ(question + "Confirm: " + kReplace + "\nInformation: 'newgrf.cfg' saved\n", run.err);
      EXPECT_EQ("newgrf/big.grf\r\n", dir.Read("newgrf.cfg"));
    } else {
      EXPECT_EQ(question, run.err);
      EXPECT_EQ("# kept unless saved\r\nnewgrf/big.grf\r\n", dir.Read("newgrf.cfg"));
    }
  }
}

TEST(CliList, ReportsFailuresAndUsage) {
  test::TempDir dir;
  dir.Write("newgrf", "a file where the directory belongs");
  for (const char* command : {"list", "save"}) {
    const CliResult run = RunCliCommand({command, dir.path(), "--inactive"});
    EXPECT_EQ(1, run.status) << command;
    EXPECT_EQ("", run.out);
    EXPECT_EQ("Cannot create directory " + dir.path() + "\\newgrf\n", run.err);
  }

  for (const auto& args : std::vector<std::vector<std::string>>{{"list"},
                                                                {"save"},
                                                                {"list", dir.path(), "extra"},
                                                                {"list", dir.path(), "--inactive", "--no-inactive"},
                                                                {"list", dir.path(), "--yes"},
                                                                {"save", dir.path(), "--all"},
                                                                {"list", "--inactive"}}) {
    const CliResult run = RunCliCommand(args);
    EXPECT_EQ(2, run.status) << args.size();
    EXPECT_EQ("", run.out);
    EXPECT_NE(std::string::npos, run.err.find("usage: kestrav-cli"));
    EXPECT_NE(std::string::npos, run.err.find("  list TTD_DIR"));
  }
}

TEST(CliList, ATtdDirectoryOfZeroIsNoDirectory) {
  const CliResult run = RunCliCommand({"list", "0"});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("Total Sprites: 0\nActive Sprites: 0\n", run.out);
  EXPECT_EQ("", run.err);
}

}  // namespace
}  // namespace kestrav
