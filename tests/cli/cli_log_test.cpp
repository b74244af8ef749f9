// The log command: the loaded list's log in the file named, its failure and its usage.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

TEST(CliLog, WritesTheLogOfTheLoadedListOrTellsWhyNot) {
  test::TempDir dir;
  dir.Write("GameGFX.exe", "");
  dir.Write("newgrf/a.grf", std::string("\x01\x00\x02\x00\x00", 5));
  dir.Write("newgrfw.cfg", "newgrf/a.grf 5\r\n");
  const auto run = test::RunCliCommand({"log", "--no-inactive", "--html", dir.Join("out.html"), dir.path()});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("", run.out + run.err);
  EXPECT_NE(std::string::npos, dir.Read("out.html").find("<tr><td><b>newgrf/a.grf 5</b></TD><td bgcolor=\"#00CC00\">"));
  const auto failed = test::RunCliCommand({"log", dir.path(), "--txt", dir.path(), "--no-inactive"});
  EXPECT_EQ(1, failed.status);
  EXPECT_EQ("Cannot create file " + dir.path() + "\n", failed.err);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"log", "a"}, {"log", "a", "--txt"}, {"log", "a", "--txt", "o", "--html", "p"}, {"log", "--txt", "o"},
           {"log", "a", "--txt", "--inactive"}}) {
    EXPECT_EQ(2, test::RunCliCommand(args).status) << testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace kestrav
