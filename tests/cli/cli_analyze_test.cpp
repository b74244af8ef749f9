#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using namespace std::string_literals;
using test::GrfBuilder;
using test::RunCliCommand;

// The fields' texts are the log view's, tested with the GRF reader.
TEST(CliAnalyze, OneLineOfEscapedFieldsPerFileAndAFailedRunForFilesThatDoNotOpen) {
  test::TempDir dir;
  GrfBuilder withTexts;
  withTexts.Action8(0xFF, "\x12\xAB\x00\xFF"s, "Tab\there\\back \xE9\x7F", "line\r\nend\x1F").Stored(4).Stored(1);
  const std::string texts = dir.Write("texts.grf", withTexts.Terminator().bytes());
  const std::string plain = dir.Write("sub/plain.grf", GrfBuilder().Stored(1).Pseudo("\x01").Stored(2).bytes());
  const std::string plainLine = plain + "\t2\t1\t\t\t - no info found - \t - no description found - \n";
  const std::string missing = dir.Join("missing.grf");
  auto run = RunCliCommand({"analyze", texts, missing, plain});
  EXPECT_EQ(1, run.status);
  EXPECT_EQ(texts + "\t2\t1\t-1\t12AB00FF\tTab\\x09here\\x5Cback \xE9\x7F\tline\\x0D\\x0Aend\\x1F\n" + missing +
                "\t0\t0\t\t\t\t\n" + plainLine,
            run.out);
  EXPECT_EQ("Cannot open file " + missing + "\n", run.err);

  // More files than a process may have open at once: each is closed after its line.
  std::vector<std::string> args(1101, plain);
  args[0] = "analyze";
  run = RunCliCommand(args);
  EXPECT_EQ(0, run.status);
  std::string expected;
  for (int i = 0; i < 1100; ++i) expected += plainLine;
  EXPECT_EQ(expected, run.out);
}

}  // namespace
}  // namespace kestrav
