#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using namespace std::string_literals;
using test::GrfBuilder;
using test::RunCliCommand;

const std::string kNoTexts = "\t\t\t - no info found - \t - no description found - \n";

TEST(CliAnalyze, OneLineOfEscapedFieldsPerFileAndAFailedRunForFilesThatDoNotOpen) {
  test::TempDir dir;
  GrfBuilder withTexts;
  withTexts.Action8(0x01, "\x00\x01\x02\x03"s, "old", "old").Stored(4).Compressed({test::GrfChunk::Literal(2)});
  withTexts.Action8(0xFF, "\x12\xAB\x00\xFF"s, "Tab\there\\back \xE9\x7F", "line\r\nend\x1F").Pseudo("\x02");
  const std::string texts = dir.Write("texts.grf", withTexts.Terminator().bytes());
  const std::string plain = dir.Write("sub/plain.grf", GrfBuilder().Stored(1).Pseudo("\x01").Stored(2).bytes());
  auto run = RunCliCommand({"analyze", plain, texts});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ(plain + "\t2\t1" + kNoTexts + texts +
                "\t2\t3\t-1\t12AB00FF\tTab\\x09here\\x5Cback \xE9\x7F\tline\\x0D\\x0Aend\\x1F\n",
            run.out);
  EXPECT_EQ("", run.err);

  dir.MakeDirectory("folder.grf");
  const std::string missing = dir.Join("missing.grf"), folder = dir.Join("folder.grf");
  run = RunCliCommand({"analyze", missing, plain, folder});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ(missing + "\t0\t0\t\t\t\t\n" + plain + "\t2\t1" + kNoTexts + folder + "\t0\t0\t\t\t\t\n", run.out);
  EXPECT_EQ("Cannot open file " + missing + "\nCannot open file " + folder + "\n", run.err);

  run = RunCliCommand({"analyze"});
  EXPECT_EQ(2, run.status);
  EXPECT_NE(std::string::npos, run.err.find("analyze FILE..."));
}

TEST(CliAnalyze, MoreFilesInOneRunThanAProcessMayHaveOpen) {
  // More than the usual limit of open files: each file is closed after its line.
  test::TempDir dir;
  std::vector<std::string> args{"analyze"};
  std::string expected;
  const std::string grf = GrfBuilder().Stored(2).Pseudo("\x01").bytes();
  for (int i = 0; i < 1100; ++i) {
    args.push_back(dir.Write("newgrf/f" + std::to_string(i) + ".grf", grf));
    expected += args.back() + "\t1\t1" + kNoTexts;
  }
  const auto run = RunCliCommand(args);
  EXPECT_EQ(0, run.status);
  EXPECT_EQ(expected, run.out);
}

}  // namespace
}  // namespace kestrav
