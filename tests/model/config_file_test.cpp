#include "model/config_file.h"

#include <gtest/gtest.h>

#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using S = GrfState;
using namespace std::string_literals;

TEST(ConfigLines, ParseIntoPathStateAndParametersAndFormatEachStatesMark) {
  const std::tuple<const char*, const char*, S, const char*> parsed[] = {
      {"newgrf\\abc.grf 5", "newgrf/abc.grf", S::Active, "5"},
      {"newgrf/abc.grf !", "newgrf/abc.grf", S::Inactive, ""},
      {"newgrf/abc.grf 1 ! 2", "newgrf/abc.grf", S::Inactive, "1 2"},
      {"#DISABLED#newgrf/abc.grf ! 3", "newgrf/abc.grf", S::Off, "3"},
      {"#DISABLED#", "", S::Off, ""},
      {" newgrf/abc.grf", "", S::Active, "newgrf/abc.grf"},
      {"newgrf/abc.grf\t5", "newgrf/abc.grf\t5", S::Active, ""},
      {"newgrf/\xE9t\xE9.grf   7  8 \xA0", "newgrf/\xE9t\xE9.grf", S::Active, "7  8 \xA0"},
      {"newgrf/a!.grf", "newgrf/a!.grf", S::Active, ""},
  };
  for (const auto& [line, path, state, parameters] : parsed) {
    const GrfEntry entry = ParseConfigLine(line);
    EXPECT_EQ(std::tuple(std::string(path), state, std::string(parameters)),
              std::tuple(entry.path, entry.state, entry.parameters))
        << line;
  }
  const std::pair<GrfEntry, const char*> formatted[] = {
      {{"newgrf/abc.grf", S::Active, " 1 2 "}, "newgrf/abc.grf  1 2"},
      {{"newgrf/abc.grf", S::Inactive, ""}, "newgrf/abc.grf !"},
      {{"newgrf/abc.grf", S::Inactive, " 0 "}, "newgrf/abc.grf !"},
      {{"newgrf/abc.grf", S::Inactive, "1 2"}, "newgrf/abc.grf ! 1 2"},
      {{"newgrf/abc.grf", S::Off, " 1 2"}, "#DISABLED#newgrf/abc.grf  1 2"},  // untrimmed
  };
  for (const auto& [entry, line] : formatted) EXPECT_EQ(line, FormatConfigLine(entry)) << line;
}

TEST(ConfigLines, SplitAtEveryLineEndLeavingEmptyLinesOutAndCleanBlankLinesAndComments) {
  const std::pair<const char*, std::vector<std::string>> splits[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}}, {"a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
      {"\r\r\n\n a\r\r\nb", {" a", "b"}},     {"", {}},
  };
  for (const auto& [text, lines] : splits) EXPECT_EQ(lines, SplitLines(text)) << text;
  std::vector<std::string> lines = {"# comment", "#disabled#newgrf/a.grf", "#DISABLED#newgrf/b.grf", " ",
                                    "newgrf/c.grf", "   ", "\t", "#DISABLED#", "#", "newgrf/d.grf !"};
  CleanConfigLines(lines);
  EXPECT_EQ((std::vector<std::string>{"#DISABLED#newgrf/b.grf", "newgrf/c.grf", "#DISABLED#", "newgrf/d.grf !"}),
            lines);
}

TEST(ConfigFileOnDisk, IsReadOnlyWhenAFileAndWrittenWithCrLfOrAsZeroBytes) {
  test::TempDir dir;
  const SystemAdapters system = MakeSystemAdapters();
  dir.Write("newgrf.cfg", "newgrf/dos.grf");  // no line end after the last line
  dir.MakeDirectory("newgrfw.cfg");  // a directory named like the file is no configuration
  EXPECT_EQ(std::vector<std::string>{"newgrf/dos.grf"}, *ReadConfigLines(*system.files, dir.path()));
  WriteConfigFile(*system.files, dir.Join("newgrf.cfg"),
                  {{"newgrf/\xC4\xD6\xDC.grf", S::Active, "1 2"}, {"newgrf/b.grf", S::Inactive, "0"},
                   {"newgrf/c.grf", S::Off, ""}});
  EXPECT_EQ("newgrf/\xC4\xD6\xDC.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf\r\n", dir.Read("newgrf.cfg"));
  WriteConfigFile(*system.files, dir.Join("newgrf.cfg"), {});
  EXPECT_EQ(std::pair(true, ""s), std::pair(dir.Exists("newgrf.cfg"), dir.Read("newgrf.cfg")));
}

}  // namespace
}  // namespace kestrav
