// The console companion's commands: their output, exit codes and error paths (the rules
// behind them are the model's and the controller's, tested there).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using namespace std::string_literals;
using test::GrfBuilder;

struct CliResult {
  int status;
  std::string out, err;
};

CliResult RunCliCommand(const std::vector<std::string>& args) {
  auto adapters = MakeSystemAdapters();
  std::ostringstream out, err;
  const int status = RunCli(args, adapters, out, err);
  return {status, out.str(), err.str()};
}

TEST(Cli, ConfigListsTheEntriesWritesThemBackAndReportsFailuresAndEveryCommandItsUsage) {
  test::TempDir dir;
  const std::string lines = "newgrf/a.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf 4\r\n";
  const std::string file = dir.Write("in.cfg", "# comment\r\n" + lines), missing = dir.Join("missing.cfg");
  const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
      {{"config", file}, 0, "Active\tnewgrf/a.grf\t1 2\nInactive\tnewgrf/b.grf\t\nOff\tnewgrf/c.grf\t4\n", ""},
      {{"config", file, "--write", dir.Join("out.cfg")}, 0, "", ""},
      {{"config", missing}, 1, "", "Cannot open file " + missing + "\n"},
      {{"config", file, "--write", dir.path()}, 1, "", "Cannot create file " + dir.path() + "\n"},
  };
  for (const auto& [args, status, out, err] : cases) {
    const auto run = RunCliCommand(args);
    EXPECT_EQ(std::tuple(status, out, err), std::tuple(run.status, run.out, run.err)) << args.back();
  }
  EXPECT_EQ(lines, dir.Read("out.cfg"));
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"nonsense"}, {"config", "a", "extra"}, {"analyze"}, {"list", "a", "--inactive", "--no-inactive"},
           {"list", "a", "--yes"}, {"save", "--inactive"}, {"info", "ttd"}, {"install", "TTD", "--yes"}, {"log", "a"},
           {"log", "a", "--txt"}, {"log", "a", "--txt", "o", "--html", "p"}, {"log", "a", "--txt", "--inactive"}}) {
    const auto usage = RunCliCommand(args);
    EXPECT_EQ(std::tuple(2, ""s, std::size_t{0}),
              std::tuple(usage.status, usage.out, usage.err.find("usage: kestrav-cli COMMAND ...\n")))
        << testing::PrintToString(args);
  }
}

TEST(Cli, ListPrintsTheListAndTheTotalsAndSaveFailsWhenNothingIsWritten) {
  test::TempDir dir;
  dir.Write("tycoon.exe", "");
  std::string many;  // one sprite more than the limit
  for (int i = 0; i < 11484; ++i) many += "\x01\x00\x02"s;
  dir.Write("newgrf/big.grf", many + "\0\0"s);
  dir.Write("newgrf/b.grf", GrfBuilder().Stored(1).Terminator().bytes());
  dir.Write("newgrf.cfg", "newgrf/b.grf !\r\nnewgrf/gone.grf\r\n#DISABLED#newgrf/big.grf\r\n");
  // The patch cannot be run here: the probe says so and the inactive state stays offered.
  auto run = RunCliCommand({"list", dir.path()});
  EXPECT_EQ(std::tuple(0, "Inactive\tnewgrf/b.grf\nOff\tnewgrf/big.grf\nTotal Sprites: 1\nActive Sprites: 0\n"s,
                       "Error: Kestrav could not create process!\nWarning: Files:\n" + dir.path() +
                           "\\newgrf\\gone.grf\nwere not found.\n"),
            std::tuple(run.status, run.out, run.err));
  dir.Write("newgrf.cfg", "# kept unless saved\r\nnewgrf/big.grf\r\n");
  for (const bool yes : {false, true}) {
    std::vector<std::string> args = {"save", dir.path(), "--no-inactive"};
    if (yes) args.push_back("--yes");
    run = RunCliCommand(args);
    EXPECT_EQ(yes ? 0 : 1, run.status);
    EXPECT_EQ(yes, run.err.ends_with("Do you want to continue?\nConfirm: File 'newgrf.cfg' or 'newgrfw.cfg' exists.\n"
                                     "Do you want to replace it ?\nInformation: 'newgrf.cfg' saved\n"));
    EXPECT_EQ(yes ? "newgrf/big.grf\r\n#DISABLED#newgrf/b.grf\r\n" : "# kept unless saved\r\nnewgrf/big.grf\r\n",
              dir.Read("newgrf.cfg"));
  }
  std::filesystem::remove(std::filesystem::path(dir.path()) / "tycoon.exe");
  EXPECT_EQ(1, RunCliCommand({"save", dir.path(), "--yes"}).status);
}

// The fields' texts are the log view's, tested with the logs.
TEST(Cli, AnalyzePrintsALineOfEscapedFieldsPerFileAndClosesEach) {
  test::TempDir dir;
  GrfBuilder withTexts;
  withTexts.Action8(0xFF, "\x12\xAB\x00\xFF"s, "Tab\there\\back \xE9\x7F", "line\r\nend\x1F").Stored(4).Stored(1);
  const std::string texts = dir.Write("texts.grf", withTexts.Terminator().bytes());
  const std::string plain = dir.Write("sub/plain.grf", GrfBuilder().Stored(1).Pseudo("\x01").Stored(2).bytes());
  const std::string plainLine = plain + "\t2\t1\t\t\t - no info found - \t - no description found - \n";
  const std::string missing = dir.Join("missing.grf");
  auto run = RunCliCommand({"analyze", texts, missing, plain});
  EXPECT_EQ(std::tuple(1,
                       texts + "\t2\t1\t-1\t12AB00FF\tTab\\x09here\\x5Cback \xE9\x7F\tline\\x0D\\x0Aend\\x1F\n" +
                           missing + "\t0\t0\t\t\t\t\n" + plainLine,
                       "Cannot open file " + missing + "\n"),
            std::tuple(run.status, run.out, run.err));
  // More files than a process may have open at once.
  std::vector<std::string> args(1101, plain);
  args[0] = "analyze";
  run = RunCliCommand(args);
  EXPECT_EQ(std::pair(0, 1100 * plainLine.size()), std::pair(run.status, run.out.size()));
}

TEST(CliInfo, PrintsTheReportOrWhyThereIsNone) {
  const std::tuple<std::optional<std::string>, std::string> cases[] = {
      // the file's bytes (nothing: no file), the report after its modified line
      {GrfBuilder().Terminator().bytes(), "\n'Action 8' not found.\nThere is no data written by author\n\n"
                                          "Total Sprites: 0\n    Normal Sprites: 0\n    Pseudo Sprites: 0\n"},
      {GrfBuilder().Action8(0x80, "AB\x00\xFF"s, "", "d1").Stored(1).Action8(0xFF, "WXYZ", "i\x01", "").bytes(),
       "\nGRF Version: -128\nGRF ID: 414200FF\nInfo: \nDescription: d1\nGRF Version: -1\nGRF ID: 5758595A\n"
       "Info: i\x01\nDescription: \n\nTotal Sprites: 3\n    Normal Sprites: 1\n    Pseudo Sprites: 2\n"},
      {std::nullopt, ""},
  };
  auto system = MakeSystemAdapters();
  for (const auto& [bytes, report] : cases) {
    test::TempDir ttd;
    const std::string file = ttd.Join("newgrf/b.grf");
    if (bytes) ttd.Write("newgrf/b.grf", *bytes);
    const auto modified = system.files->LastWriteTime(file).value_or(DosDateTime{});
    const std::string head = "File name: b.grf\nModified: " + system.locale->ShortDate(modified) + " " +
                             system.locale->LongTime(modified) + "\n";
    const auto run = RunCliCommand({"info", ttd.path(), "newgrf/b.grf 1 2"});
    EXPECT_EQ(bytes ? std::tuple(0, head + report, ""s) : std::tuple(1, ""s, "Cannot find file:\n" + file + "\n"),
              std::tuple(run.status, run.out, run.err));
  }
}

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
    EXPECT_EQ(status, RunCliCommand(args).status);
    EXPECT_EQ(installed, ttd.Read("newgrf/b.grf"));
    EXPECT_TRUE(ttd.Exists("newgrf/a.grf"));
    EXPECT_EQ(sourceKept, downloads.Exists("b.grf"));
  }
}

TEST(Cli, HostileNamesAndInputsNeverReachAnotherFileAndTheConventionsHold) {
  test::TempDir dir;
  const std::string ttd = dir.Join("ttd"), grf = GrfBuilder().Stored(1).Terminator().bytes();
  for (const char* name : {"ttd/newgrf/a.grf", "ttd/newgrf/a.grf b.grf", "x y.grf"}) dir.Write(name, grf);
  dir.Write("ttd/newgrf.cfg", "\xEF\xBB\xBFnewgrf/a.grf\r\n");  // as Notepad may save it
  const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
      {{"list", ttd, "--no-inactive"}, 0, "Active\tnewgrf/a.grf\nTotal Sprites: 1\n",
       "Warning: Files in 'newgrf' directory whose names contain a blank:\na.grf b.grf\nTTDPatch cannot load them"},
      {{"install", ttd, dir.Join("x y.grf")}, 1, "", "Warning: You cannot add this file.\nIts name contains a blank"},
      {{"check", dir.Join("mistyped")}, 2, "", "no such directory: " + dir.Join("mistyped") + "\n"},
      {{"--version"}, 0, "Kestrav ver. 2.1 (2004-07-16)\n", ""},
      {{"-h"}, 0, "usage: kestrav-cli COMMAND ...\n", ""},
  };
  for (const auto& [args, status, out, err] : cases) {
    const auto run = RunCliCommand(args);
    EXPECT_EQ(std::tuple(status, true, true),
              std::tuple(run.status, run.out.starts_with(out), run.err.starts_with(err)))
        << args[0] << "\n" << run.out << run.err;
  }
  EXPECT_FALSE(dir.Exists("mistyped") || dir.Exists("ttd/newgrf/x y.grf"));
}

TEST(CliLog, WritesTheLogOfTheLoadedListOrTellsWhyNot) {
  test::TempDir dir;
  dir.Write("GameGFX.exe", "");
  dir.Write("newgrf/a.grf", std::string("\x01\x00\x02\x00\x00", 5));
  dir.Write("newgrfw.cfg", "newgrf/a.grf 5\r\n");
  const auto run = RunCliCommand({"log", "--no-inactive", "--html", dir.Join("out.html"), dir.path()});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("", run.out + run.err);
  EXPECT_NE(std::string::npos, dir.Read("out.html").find("<tr><td><b>newgrf/a.grf 5</b></TD><td bgcolor=\"#00CC00\">"));
  const auto failed = RunCliCommand({"log", dir.path(), "--txt", dir.path(), "--no-inactive"});
  EXPECT_EQ(1, failed.status);
  EXPECT_EQ("Cannot create file " + dir.path() + "\n", failed.err);
}

// A graphics file as the patch expects it: the number of records that follow, then these.
std::string Counted(const GrfBuilder& records, int announced, bool terminated = true) {
  std::string count;
  for (int shift = 0; shift < 32; shift += 8) count += static_cast<char>(announced >> shift & 0xFF);
  return GrfBuilder().Pseudo(count).Raw(records.bytes()).Raw(terminated ? std::string(2, '\0') : "").bytes();
}

GrfBuilder WithId(const char* id, std::uint8_t version = 7) { return GrfBuilder().Action8(version, id, "i", "d"); }

TEST(CliCheck, TellsEachFindingOfTheExaminedEntriesInListOrder) {
  GrfBuilder many = WithId("BIG1");
  for (int i = 0; i < 11484; ++i) many.Stored(0);
  const struct {
    const char* path;  // as the configuration names it: Inactive with " !", Off after "#DISABLED#"
    std::string bytes;
    const char* code;  // "" for none
    const char* explains;
  } cases[] = {
      {"newgrf/clean.grf", Counted(WithId("AAAA").Stored(4), 2), "", ""},
      {"newgrf/first.grf", WithId("BBBB").Terminator().bytes(), "not-a-grf", "number of sprites"},
      {"newgrf/second.grf", std::string("\0\0GRF\x82\r\n\x1A\n\x04\0\0\0", 14), "not-a-grf", "second GRF container"},
      {"newgrf/more.grf", Counted(WithId("CCCC").Stored(1), 1), "sprite-count", "2 sprites"},
      {"newgrf/bare.grf", Counted(GrfBuilder().Stored(1), 1), "no-action8", "Action 8"},
      {"newgrf/new.grf", Counted(WithId("DDDD", 8), 1), "grf-version", "version 8"},
      {"newgrf/cut.grf !", Counted(WithId("EEEE"), 1, false), "truncated", "cut short"},
      {"newgrf/again.grf !", Counted(WithId("AAAA"), 1), "duplicate-id", "newgrf/clean.grf"},
      {"#DISABLED#newgrf/off.grf", "\x01", "", ""},
      {"newgrf/big.grf", Counted(many, 11485), "", ""},
  };
  test::TempDir dir;
  dir.Write("GameGFX.exe", "");
  std::string config = "newgrf/gone.grf\r\n";
  std::string expected = "newgrf/gone.grf\tmissing\n";
  for (const auto& c : cases) {
    const std::string path = std::string(c.path).substr(c.path[0] == '#' ? 10 : 0, std::string(c.path).find(' '));
    dir.Write(path, c.bytes);
    config += std::string(c.path) + "\r\n";
    if (*c.code) expected += path + "\t" + c.code + "\n";
  }
  dir.Write("newgrfw.cfg", config);
  expected += dir.path() + "\tsprite-limit\n";

  const auto run = RunCliCommand({"check", dir.path(), "--inactive"});
  EXPECT_EQ(1, run.status);
  std::string columns;  // path and code of each line
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) columns += line.substr(0, line.rfind('\t')) + "\n";
  EXPECT_EQ(expected, columns) << run.out;
  for (const auto& c : cases) {
    if (*c.code) {
      EXPECT_NE(std::string::npos, run.out.find(c.explains)) << c.path << "\n" << run.out;
    }
  }
  EXPECT_NE(std::string::npos, run.out.find("11487 sprites")) << run.out;  // the Active entries'

  dir.Write("newgrfw.cfg", "newgrf/clean.grf\r\n");  // the other files are Off, and not examined
  const auto cleanRun = RunCliCommand({"check", dir.path(), "--no-inactive"});
  EXPECT_EQ(std::tuple(0, ""s), std::tuple(cleanRun.status, cleanRun.out + cleanRun.err));
}

}  // namespace
}  // namespace kestrav

namespace kestrav {
namespace {

// Trains 40-41 (in the Windows edition alone when windowsOnly), under GRF ID id.
std::string Trains(const char* id, bool windowsOnly) {
  GrfBuilder records = WithId(id);
  if (windowsOnly) records.Pseudo("\x07\x8D\x01\x02\x00\x01"s);  // skip 1 if the edition is DOS
  records.Pseudo("\x00\x00\x01\x02\x40\x09\x01\x00\x02\x00"s);
  return Counted(records, windowsOnly ? 3 : 2);
}

TEST(CliFacts, ExplainsAFileAndTheCheckDecidesTheEditionByTheConfigurationFile) {
  test::TempDir dir;
  dir.Write("GameGFX.exe", "");
  dir.Write("newgrf/a.grf", Trains("AAAA", false));
  const std::string later = dir.Write("newgrf/b.grf", Trains("BBBB", true));
  const auto facts = RunCliCommand({"facts", later, "1"});
  EXPECT_EQ(std::tuple(0, "properties\ttrains\t40-41\tonly in the Windows edition\n"s, ""s),
            std::tuple(facts.status, facts.out, facts.err));
  const auto missing = RunCliCommand({"facts", dir.Join("none.grf")});
  EXPECT_EQ(std::tuple(1, "Cannot open file " + dir.Join("none.grf") + "\n"), std::tuple(missing.status, missing.err));
  // newgrfw.cfg, written second, is the one the load then reads.
  for (const auto& [config, findings] : {std::pair{"newgrf.cfg", ""},
                                         {"newgrfw.cfg", "newgrf/b.grf\toverrides\tchanges trains 40-41 that "
                                                         "newgrf/a.grf also changes: the patch uses this file's\n"}}) {
    dir.Write(config, "newgrf/a.grf\r\nnewgrf/b.grf\r\n");
    const auto check = RunCliCommand({"check", dir.path(), "--no-inactive"});
    EXPECT_EQ(std::tuple(*findings ? 1 : 0, std::string(findings)), std::tuple(check.status, check.out)) << config;
  }
}

}  // namespace
}  // namespace kestrav
