#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using namespace std::string_literals;
using test::GrfBuilder;

// The window's file information on the path before the entry's first blank: the report on
// standard output, an error box's text on standard error and status 1.
TEST(CliInfo, PrintsTheReportOrWhyThereIsNone) {
  const std::tuple<std::optional<std::string>, std::string> cases[] = {
      // the file's bytes (nothing: no file), the report after its modified line
      {GrfBuilder().Terminator().bytes(), "\n'Action 8' not found.\nThere is no data written by author\n\nTotal "
                                          "Sprites: 0\n    Normal Sprites: 0\n    Pseudo Sprites: 0\n"},
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
    const auto run = test::RunCliCommand({"info", ttd.path(), "newgrf/b.grf 1 2"});
    EXPECT_EQ(bytes ? std::tuple(0, head + report, ""s) : std::tuple(1, ""s, "Cannot find file:\n" + file + "\n"),
              std::tuple(run.status, run.out, run.err));
  }
  EXPECT_EQ(2, test::RunCliCommand({"info", "ttd"}).status);
}

}  // namespace
}  // namespace kestrav
