#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using namespace std::string_literals;
using test::CliResult;
using test::GrfBuilder;
using test::RunCliCommand;

TEST(CliAnalyze, OneLineOfFieldsPerFileInTheOrderGiven) {
  test::TempDir dir;
  GrfBuilder withTexts;
  withTexts.Action8(0x01, "\x00\x01\x02\x03"s, "old", "old").Stored(4).Compressed({test::GrfChunk::Literal(2)});
  withTexts.Action8(0xFF, "\x12\xAB\x00\xFF"s, "Tab\there\\back \xE9\x7F", "line\r\nend\x1F").Pseudo("\x02").Terminator();
  const std::string texts = dir.Write("texts.grf", withTexts.bytes());
  const std::string plain = dir.Write("sub/plain.grf", GrfBuilder().Stored(1).Pseudo("\x01").Stored(2).Terminator().bytes());
  const CliResult run = RunCliCommand({"analyze", plain, texts});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ(plain + "\t2\t1\t\t\t - no info found - \t - no description found - \n" + texts +
                "\t2\t3\t-1\t12AB00FF\tTab\\x09here\\x5Cback \xE9\x7F\tline\\x0D\\x0Aend\\x1F\n",
            run.out);
  EXPECT_EQ("", run.err);
}

TEST(CliAnalyze, FilesThatCannotBeOpenedGetTheEmptyLineAndFailTheRun) {
  test::TempDir dir;
  dir.MakeDirectory("folder.grf");
  const std::string good = dir.Write("good.grf", GrfBuilder().Stored(3).Terminator().bytes());
  const std::string missing = dir.Join("missing.grf");
  const std::string folder = dir.Join("folder.grf");
  const CliResult run = RunCliCommand({"analyze", missing, good, folder});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ(missing + "\t0\t0\t\t\t\t\n" + good + "\t1\t0\t\t\t - no info found - \t - no description found - \n" +
                folder + "\t0\t0\t\t\t\t\n",
            run.out);
  EXPECT_EQ("Cannot open file " + missing + "\nCannot open file " + folder + "\n", run.err);

  const CliResult usage = RunCliCommand({"analyze"});
  EXPECT_EQ(2, usage.status);
  EXPECT_NE(std::string::npos, usage.err.find("analyze FILE..."));
}

TEST(CliAnalyze, MoreFilesInOneRunThanAProcessMayHaveOpen) {
  // More than the usual limit of open files: each file is closed after its line.
  test::TempDir dir;
  std::vector<std::string> args{"analyze"};
  std::string expected;
  for (int i = 0; i < 1100; ++i) {
    GrfBuilder grf;
    for (int s = 0; s < i % 7; ++s) grf.Stored(2);
    const std::string path = dir.Write("newgrf/f" + std::to_string(i) + ".grf", grf.Pseudo("\x01").bytes());
    args.push_back(path);
    expected += path + "\t" + std::to_string(i % 7) + "\t1\t\t\t - no info found - \t - no description found - \n";
  }
  const CliResult run = RunCliCommand(args);
  EXPECT_EQ(0, run.status);
  EXPECT_EQ(expected, run.out);
}

}  // namespace
}  // namespace kestrav
