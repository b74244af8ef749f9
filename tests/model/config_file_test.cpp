#include "model/config_file.h"

#include <gtest/gtest.h>

#include "platform/operation_error.h"
#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

struct ParseCase {
  const char* line;
  const char* path;
  GrfState state;
  const char* parameters;
};

TEST(ParseConfigLine, ReadsPathStateAndParameters) {
  const ParseCase cases[] = {
      {"newgrf\\abc.grf 5", "newgrf/abc.grf", GrfState::Active, "5"},
      {"newgrf/abc.grf", "newgrf/abc.grf", GrfState::Active, ""},
      {"newgrf/abc.grf !", "newgrf/abc.grf", GrfState::Inactive, ""},
      {"newgrf/abc.grf 1 ! 2", "newgrf/abc.grf", GrfState::Inactive, "1 2"},
      {"newgrf/abc.grf ! 1 2", "newgrf/abc.grf", GrfState::Inactive, "1 2"},
      {"newgrf/abc.grf 1 2!", "newgrf/abc.grf", GrfState::Inactive, "1 2"},
      {"#DISABLED#newgrf/abc.grf ! 3", "newgrf/abc.grf", GrfState::Off, "3"},
      {"#DISABLED#newgrf/abc.grf 1 2", "newgrf/abc.grf", GrfState::Off, "1 2"},
      {"#DISABLED# newgrf/abc.grf", "", GrfState::Off, "newgrf/abc.grf"},
      {"#DISABLED#", "", GrfState::Off, ""},
      {" newgrf/abc.grf", "", GrfState::Active, "newgrf/abc.grf"},
      {"newgrf/my set.grf", "newgrf/my", GrfState::Active, "set.grf"},
      {"newgrf/abc.grf\t5", "newgrf/abc.grf\t5", GrfState::Active, ""},
      {"newgrf/abc.grf   7  8  ", "newgrf/abc.grf", GrfState::Active, "7  8"},
      {"newgrf/\xE9t\xE9.grf 1", "newgrf/\xE9t\xE9.grf", GrfState::Active, "1"},
      {"newgrf/a!.grf", "newgrf/a!.grf", GrfState::Active, ""},
  };
  for (const auto& c : cases) {
    const GrfEntry entry = ParseConfigLine(c.line);
    EXPECT_EQ(c.path, entry.path) << c.line;
    EXPECT_EQ(c.state, entry.state) << c.line;
    EXPECT_EQ(c.parameters, entry.parameters) << c.line;
  }
}

TEST(FormatConfigLine, WritesEachStateMark) {
  struct Case {
    GrfEntry entry;
    const char* line;
  };
  const Case cases[] = {
      {{"newgrf/abc.grf", GrfState::Active, ""}, "newgrf/abc.grf"},
      {{"newgrf/abc.grf", GrfState::Active, "1 2"}, "newgrf/abc.grf 1 2"},
      {{"newgrf/abc.grf", GrfState::Active, "0"}, "newgrf/abc.grf 0"},
      {{"newgrf/abc.grf", GrfState::Inactive, ""}, "newgrf/abc.grf !"},
      {{"newgrf/abc.grf", GrfState::Inactive, "0"}, "newgrf/abc.grf !"},
      {{"newgrf/abc.grf", GrfState::Inactive, " 0 "}, "newgrf/abc.grf !"},
      {{"newgrf/abc.grf", GrfState::Inactive, "1 2"}, "newgrf/abc.grf ! 1 2"},
      {{"newgrf/abc.grf", GrfState::Off, ""}, "#DISABLED#newgrf/abc.grf"},
      {{"newgrf/abc.grf", GrfState::Off, "0"}, "#DISABLED#newgrf/abc.grf 0"},
      // Off keeps the entry text as it stands, blanks included.
      {{"newgrf/abc.grf", GrfState::Off, " 1 2"}, "#DISABLED#newgrf/abc.grf  1 2"},
      {{"newgrf/abc.grf", GrfState::Active, " 1 2 "}, "newgrf/abc.grf  1 2"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.line, FormatConfigLine(c.entry)) << c.line;
}

TEST(ConfigLines, SplitAtEveryLineEndAndLoseOnlyBlankLinesAndComments) {
  const std::pair<const char*, std::vector<std::string>> splits[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"", {}},
  };
  for (const auto& [text, lines] : splits) EXPECT_EQ(lines, SplitLines(text)) << text;

  std::vector<std::string> lines = {"",   "# comment",    "#disabled#newgrf/a.grf", "#DISABLED#newgrf/b.grf",
                                    " ",  "newgrf/c.grf", "   ",                    "\t",
                                    "#DISABLED#", "#", "newgrf/d.grf !"};
  CleanConfigLines(lines);
  const std::vector<std::string> kept = {"#DISABLED#newgrf/b.grf", "newgrf/c.grf", "#DISABLED#", "newgrf/d.grf !"};
  EXPECT_EQ(kept, lines);
}

class ConfigFileOnDisk : public ::testing::Test {
 protected:
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  FileSystem& files = *system.files;
};

TEST_F(ConfigFileOnDisk, WritesEveryLineWithCrLfAndBytesUntouchedAndNoLinesAsZeroBytes) {
  const std::vector<GrfEntry> entries = {
      {"newgrf/\xC4\xD6\xDC.grf", GrfState::Active, "1 2"},
      {"newgrf/b.grf", GrfState::Inactive, "0"},
      {"newgrf/c.grf", GrfState::Off, ""},
  };
  WriteConfigFile(files, dir.Join("newgrfw.cfg"), entries);
  EXPECT_EQ("newgrf/\xC4\xD6\xDC.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf\r\n", dir.Read("newgrfw.cfg"));
  WriteConfigFile(files, dir.Join("newgrfw.cfg"), {});
  EXPECT_TRUE(dir.Exists("newgrfw.cfg"));
  EXPECT_EQ("", dir.Read("newgrfw.cfg"));
}

TEST_F(ConfigFileOnDisk, ReadsTheWindowsFileFirstAndALastLineWithoutEnd) {
  EXPECT_FALSE(ReadConfigLines(files, dir.path()).has_value());
  dir.Write("newgrf.cfg", "newgrf/dos.grf\r\n");
  dir.MakeDirectory("newgrfw.cfg");  // a directory named like the file is no configuration
  EXPECT_EQ(std::vector<std::string>{"newgrf/dos.grf"}, *ReadConfigLines(files, dir.path()));
  test::TempDir both;
  both.Write("newgrf.cfg", "newgrf/dos.grf\r\n");
  both.Write("newgrfw.cfg", "newgrf/a.grf\r\nnewgrf/b.grf");
  EXPECT_EQ((std::vector<std::string>{"newgrf/a.grf", "newgrf/b.grf"}), *ReadConfigLines(files, both.path()));
}

TEST_F(ConfigFileOnDisk, FailedWriteKeepsTheOldFileAndNamesThePath) {
  // A target that is a directory cannot be replaced.
  dir.MakeDirectory("newgrfw.cfg");
  const std::string target = dir.Join("newgrfw.cfg");
  try {
    WriteConfigFile(files, target, {{"newgrf/a.grf", GrfState::Active, ""}});
    FAIL() << "writing over a directory succeeded";
  } catch (const OperationError& error) {
    EXPECT_EQ("Cannot create file " + target, error.what());
  }
  // A directory that does not exist: nothing is created and no temporary file is left.
  const std::string missing = dir.Join("gone\\newgrf.cfg");
  EXPECT_THROW(WriteConfigFile(files, missing, {}), OperationError);
  EXPECT_FALSE(dir.Exists("gone"));
}

}  // namespace
}  // namespace kestrav
