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

TEST(FormatConfigLine, RoundTripsEveryStateAndParameterForm) {
  for (GrfState state : {GrfState::Active, GrfState::Inactive, GrfState::Off}) {
    for (const char* parameters : {"", "5", "1 2 -3", "-", "0 -"}) {
      const GrfEntry entry{"newgrf/abc.grf", state, parameters};
      const GrfEntry back = ParseConfigLine(FormatConfigLine(entry));
      EXPECT_EQ(entry.path, back.path);
      EXPECT_EQ(entry.state, back.state);
      EXPECT_EQ(entry.parameters, back.parameters);
    }
  }
  // The one exception: Inactive with "0" comes back without parameters.
  EXPECT_EQ("", ParseConfigLine(FormatConfigLine({"newgrf/a.grf", GrfState::Inactive, "0"})).parameters);
}

TEST(CleanConfigLines, DropsEmptyLinesAndCommentsOnly) {
  std::vector<std::string> lines = {"",         "# comment",  "#disabled#newgrf/a.grf", "#DISABLED#newgrf/b.grf",
                                    " ",        "newgrf/c.grf", "   ",                   "\t",
                                    "#DISABLED#", "#",          "newgrf/d.grf !"};
  CleanConfigLines(lines);
  const std::vector<std::string> expected = {"#DISABLED#newgrf/b.grf", "newgrf/c.grf", "#DISABLED#",
                                             "newgrf/d.grf !"};
  EXPECT_EQ(expected, lines);
}

TEST(SplitLines, AcceptsEveryLineEnd) {
  const std::vector<std::string> expected = {"a", "b", "c", "d"};
  EXPECT_EQ(expected, SplitLines("a\r\nb\nc\rd"));
  EXPECT_EQ(expected, SplitLines("a\r\nb\nc\rd\r\n"));
  EXPECT_EQ((std::vector<std::string>{"a", "", "b"}), SplitLines("a\n\nb\n"));
  EXPECT_EQ((std::vector<std::string>{"a", "", "b"}), SplitLines("a\r\r\nb"));
  EXPECT_TRUE(SplitLines("").empty());
}

class ConfigFileOnDisk : public ::testing::Test {
 protected:
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  FileSystem& files = *system.files;
};

TEST_F(ConfigFileOnDisk, WritesEveryLineWithCrLfAndBytesUntouched) {
  const std::vector<GrfEntry> entries = {
      {"newgrf/\xC4\xD6\xDC.grf", GrfState::Active, "1 2"},
      {"newgrf/b.grf", GrfState::Inactive, "0"},
      {"newgrf/c.grf", GrfState::Off, ""},
  };
  WriteConfigFile(files, dir.Join("newgrfw.cfg"), entries);
  EXPECT_EQ("newgrf/\xC4\xD6\xDC.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf\r\n", dir.Read("newgrfw.cfg"));
}

TEST_F(ConfigFileOnDisk, EmptyListWritesZeroBytes) {
  dir.Write("newgrf.cfg", "old content\r\n");
  WriteConfigFile(files, dir.Join("newgrf.cfg"), {});
  EXPECT_TRUE(dir.Exists("newgrf.cfg"));
  EXPECT_EQ("", dir.Read("newgrf.cfg"));
}

TEST_F(ConfigFileOnDisk, ReadsWindowsFileFirstAndLastLineWithoutEnd) {
  EXPECT_FALSE(ReadConfigLines(files, dir.path()).has_value());
  dir.Write("newgrf.cfg", "newgrf/dos.grf\r\n");
  EXPECT_EQ(std::vector<std::string>{"newgrf/dos.grf"}, *ReadConfigLines(files, dir.path()));
  dir.Write("newgrfw.cfg", "newgrf/a.grf\r\nnewgrf/b.grf");
  EXPECT_EQ((std::vector<std::string>{"newgrf/a.grf", "newgrf/b.grf"}), *ReadConfigLines(files, dir.path()));
}

TEST_F(ConfigFileOnDisk, ADirectoryNamedLikeTheFileIsNotAConfiguration) {
  dir.MakeDirectory("newgrfw.cfg");
  dir.Write("newgrf.cfg", "newgrf/dos.grf");
  EXPECT_EQ(std::vector<std::string>{"newgrf/dos.grf"}, *ReadConfigLines(files, dir.path()));
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
