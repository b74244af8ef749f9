#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::RunCliCommand;

// The report's pieces are the controller's, tested with it.
TEST(CliInfo, PrintsTheBoxsTextToItsStreamAndTheStatusSaysWhichBoxItWas) {
  test::TempDir ttd;
  ttd.Write("newgrf/a.grf", test::GrfBuilder().Stored(1).Terminator().bytes());
  auto system = MakeSystemAdapters();
  const DosDateTime modified = *system.files->LastWriteTime(ttd.Join("newgrf/a.grf"));
  const std::string report = "File name: a.grf\nModified: " + system.locale->ShortDate(modified) + " " +
                             system.locale->LongTime(modified) +
                             "\n\n'Action 8' not found.\nThere is no data written by author\n\nTotal Sprites: 1\n"
                             "    Normal Sprites: 1\n    Pseudo Sprites: 0\n";
  const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
      {{"info", ttd.path(), "newgrf/a.grf 1 2"}, 0, report, ""},
      {{"info", ttd.path(), "newgrf/b.grf"}, 1, "", "Cannot find file:\n" + ttd.Join("newgrf/b.grf") + "\n"},
  };
  for (const auto& [args, status, out, err] : cases) {
    const auto run = RunCliCommand(args);
    EXPECT_EQ(std::tuple(status, out, err), std::tuple(run.status, run.out, run.err));
  }
  EXPECT_EQ(2, RunCliCommand({"info", ttd.path()}).status);
}

}  // namespace
}  // namespace kestrav
