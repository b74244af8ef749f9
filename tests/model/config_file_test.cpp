#include "model/config_file.h"

#include <gtest/gtest.h>

#include "platform/operation_error.h"
#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using S = GrfState;

// The fuzz target checks that every parse formats back to itself; these are the exact values.
TEST(ConfigLines, ParseIntoPathStateAndParameters) {
  const std::tuple<const char*, const char*, S, const char*> cases[] = {
      {"newgrf\\abc.grf 5", "newgrf/abc.grf", S::Active, "5"},
      {"newgrf/abc.grf !", "newgrf/abc.grf", S::Inactive, ""},
      {"newgrf/abc.grf 1 ! 2", "newgrf/abc.grf", S::Inactive, "1 2"},
      {"newgrf/abc.grf 1 2!", "newgrf/abc.grf", S::Inactive, "1 2"},
      {"#DISABLED#newgrf/abc.grf ! 3", "newgrf/abc.grf", S::Off, "3"},
      {"#DISABLED# newgrf/abc.grf", "", S::Off, "newgrf/abc.grf"},
      {"#DISABLED#", "", S::Off, ""},
      {" newgrf/abc.grf", "", S::Active, "newgrf/abc.grf"},
      {"newgrf/my set.grf", "newgrf/my", S::Active, "set.grf"},
      {"newgrf/abc.grf\t5", "newgrf/abc.grf\t5", S::Active, ""},
      {"newgrf/\xE9t\xE9.grf   7  8 \xA0", "newgrf/\xE9t\xE9.grf", S::Active, "7  8 \xA0"},
      {"newgrf/a!.grf", "newgrf/a!.grf", S::Active, ""},
  };
  for (const auto& [line, path, state, parameters] : cases) {
    const GrfEntry entry = ParseConfigLine(line);
    EXPECT_EQ(path, entry.path) << line;
    EXPECT_EQ(state, entry.state) << line;
    EXPECT_EQ(parameters, entry.parameters) << line;
  }
}

TEST(ConfigLines, FormatEachStateMark) {
  const std::pair<GrfEntry, const char*> cases[] = {
      {{"newgrf/abc.grf", S::Active, "0"}, "newgrf/abc.grf 0"},
      {{"newgrf/abc.grf", S::Active, " 1 2 "}, "newgrf/abc.grf  1 2"},
      {{"newgrf/abc.grf", S::Inactive, ""}, "newgrf/abc.grf !"},
      {{"newgrf/abc.grf", S::Inactive, " 0 "}, "newgrf/abc.grf !"},
      {{"newgrf/abc.grf", S::Inactive, "1 2"}, "newgrf/abc.grf ! 1 2"},
      {{"newgrf/abc.grf", S::Off, "0"}, "#DISABLED#newgrf/abc.grf 0"},
      {{"newgrf/abc.grf", S::Off, " 1 2"}, "#DISABLED#newgrf/abc.grf  1 2"},  // untrimmed
  };
  for (const auto& [entry, line] : cases) EXPECT_EQ(line, FormatConfigLine(entry)) << line;
}

TEST(ConfigLines, SplitAtEveryLineEndAndLoseOnlyBlankLinesAndComments) {
  const std::pair<const char*, std::vector<std::string>> splits[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}}, {"a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
      {"a\n\nb\n", {"a", "b"}},               {"\r\r\n\n a\r\r\nb", {" a", "b"}},
      {"", {}},
  };
  for (const auto& [text, lines] : splits) EXPECT_EQ(lines, SplitLines(text)) << text;
  std::vector<std::string> lines = {"", "# comment", "#disabled#newgrf/a.grf", "#DISABLED#newgrf/b.grf", " ",
                                    "newgrf/c.grf", "   ", "\t", "#DISABLED#", "#", "newgrf/d.grf !"};
  CleanConfigLines(lines);
  const std::vector<std::string> kept = {"#DISABLED#newgrf/b.grf", "newgrf/c.grf", "#DISABLED#", "newgrf/d.grf !"};
  EXPECT_EQ(kept, lines);
}

TEST(ConfigFileOnDisk, IsReadWindowsFileFirstAndWrittenWithCrLfOrAsZeroBytes) {
  test::TempDir dir;
  const SystemAdapters system = MakeSystemAdapters();
  FileSystem& files = *system.files;
  EXPECT_FALSE(ReadConfigLines(files, dir.path()).has_value());
  dir.Write("newgrf.cfg", "newgrf/dos.grf\r\n");
  dir.MakeDirectory("newgrfw.cfg");  // a directory named like the file is no configuration
  EXPECT_EQ(std::vector<std::string>{"newgrf/dos.grf"}, *ReadConfigLines(files, dir.path()));
  // A failed write names the path and keeps what was there: here the directory.
  const std::string target = dir.Join("newgrfw.cfg");
  try {
    WriteConfigFile(files, target, {{"newgrf/a.grf", S::Active, ""}});
    FAIL() << "writing over a directory succeeded";
  } catch (const OperationError& error) {
    EXPECT_EQ("Cannot create file " + target, error.what());
  }
  EXPECT_EQ(std::vector<std::string>{"newgrf/dos.grf"}, *ReadConfigLines(files, dir.path()));
  EXPECT_THROW(WriteConfigFile(files, dir.Join("gone\\newgrf.cfg"), {}), OperationError);
  EXPECT_FALSE(dir.Exists("gone"));

  test::TempDir both;
  both.Write("newgrf.cfg", "newgrf/dos.grf\r\n");
  const std::vector<GrfEntry> entries = {
      {"newgrf/\xC4\xD6\xDC.grf", S::Active, "1 2"}, {"newgrf/b.grf", S::Inactive, "0"}, {"newgrf/c.grf", S::Off, ""}};
  WriteConfigFile(files, both.Join("newgrfw.cfg"), entries);
  EXPECT_EQ("newgrf/\xC4\xD6\xDC.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf\r\n", both.Read("newgrfw.cfg"));
  both.Write("newgrfw.cfg", "newgrf/a.grf\r\nnewgrf/b.grf");  // no line end after the last line
  EXPECT_EQ((std::vector<std::string>{"newgrf/a.grf", "newgrf/b.grf"}), *ReadConfigLines(files, both.path()));
  WriteConfigFile(files, both.Join("newgrfw.cfg"), {});
  EXPECT_EQ("", both.Read("newgrfw.cfg"));
}

}  // namespace
}  // namespace kestrav
