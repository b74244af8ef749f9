// The check command: one finding per line, in list order, from the load's own analyses.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "sample/sample_ttd_dir.h"
#include "support/cli_runner.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::GrfBuilder;
using test::RunCliCommand;

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

  test::TempDir clean;
  clean.Write("newgrf/clean.grf", cases[0].bytes);
  clean.Write("newgrf.cfg", "newgrf/clean.grf\r\n");
  const auto cleanRun = RunCliCommand({"check", clean.path(), "--no-inactive"});
  EXPECT_EQ(0, cleanRun.status);
  EXPECT_EQ("", cleanRun.out + cleanRun.err);
  EXPECT_EQ(2, RunCliCommand({"check", dir.path(), "--yes"}).status);
}

TEST(CliCheck, FindsTheSecondSignalsOfTheSampleDirectory) {
  test::TempDir dir;
  dir.Write("patch.exe", "");
  sample::WriteSampleTtd(dir.path(), dir.path() + "/patch.exe");
  const auto run = RunCliCommand({"check", dir.path(), "--inactive"});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ(0u, run.out.find("newgrf/signals_colour.grf\tduplicate-id\t")) << run.out;
  EXPECT_EQ(1, std::count(run.out.begin(), run.out.end(), '\n')) << run.out;
}

}  // namespace
}  // namespace kestrav
