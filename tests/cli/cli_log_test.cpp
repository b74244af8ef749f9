// The log command: the loaded list's log in the file named, its failure and its usage.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::RunCliCommand;

TEST(CliLog, WritesTheLogOfTheLoadedListOrTellsWhyNot) {
  test::TempDir dir;
  dir.Write("GameGFX.exe", "");
  dir.Write("newgrf/a.grf", std::string("\x01\x00\x02\x00\x00", 5));
  dir.Write("newgrfw.cfg", "newgrf/a.grf 5\r\n");
  const auto txt = RunCliCommand({"log", dir.path(), "--txt", dir.Join("out.txt"), "--no-inactive"});
  EXPECT_EQ(0, txt.status);
  EXPECT_EQ("", txt.out + txt.err);
  const std::string log = dir.Read("out.txt");
  EXPECT_EQ(0u, log.find("Kestrav Log File: ver. 2.1 (2004-07-16)\r\n")) << log;
  EXPECT_NE(std::string::npos, log.find("Active Sprites Count: 1\r\n\r\nnewgrf/a.grf 5 (Active)\r\n\tModified: "));
  EXPECT_TRUE(log.ends_with("\r\n\tSprites: 1 total, 1 normal, 0 pseudo\r\n\tVersion: \r\n\tID: \r\n"
                            "\tInfo:  - no info found - \r\n\tDescription:  - no description found - \r\n\r\n"));

  EXPECT_EQ(0, RunCliCommand({"log", "--inactive", "--html", dir.Join("out.html"), dir.path()}).status);
  EXPECT_TRUE(dir.Read("out.html").ends_with("(2004-07-16)</center></body></html>\r\n"));

  dir.MakeDirectory("taken");
  const auto failed = RunCliCommand({"log", dir.path(), "--txt", dir.Join("taken"), "--no-inactive"});
  EXPECT_EQ(1, failed.status);
  EXPECT_EQ("Cannot create file " + dir.Join("taken") + "\n", failed.err);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"log", "a"}, {"log", "a", "--txt"}, {"log", "a", "--txt", "o", "--html", "p"}, {"log", "--txt", "o"}}) {
    EXPECT_EQ(2, RunCliCommand(args).status) << testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace kestrav
