#include "model/list_validation.h"

#include <gtest/gtest.h>

#include <random>

#include "model/config_file.h"
#include "model/item_order.h"
#include "platform/system_platform.h"
#include "support/scripted_dialogs.h"
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

struct MergeCase {
  const char* name;
  std::vector<std::string> installed;  // the files of newgrf, in list order
  std::vector<std::string> others;     // further files of the TTD directory
  std::vector<std::string> lines;
  std::vector<std::string> expected;   // "A ", "I " or "O " for the state, then the text after "newgrf/"
  std::vector<std::pair<MessageKind, std::string>> messages;  // "<ttd>" stands for the TTD directory
  bool inactiveAvailable = true;
};

std::string Expand(std::string text, const std::string& ttdDir) {
  for (auto at = text.find("<ttd>"); at != std::string::npos; at = text.find("<ttd>", at)) text.replace(at, 5, ttdDir);
  return text;
}

const std::string kMain =
    "Kestrav found one of those files on your list:\n"
    " trgtr.grf, trgir.grf, trghr.grf, trgcr.grf, trg1r.grf (WIN TTD)\n"
    " trend.grf, trg1.grf, trgc.grf, trgh.grf, trgi.grf, trgt.grf, trhcom.grf, trtitle.grf (DOS TTD)\n"
    "They are main TTD graphic files and should not be here.\n"
    "File(s) will be turned off.\n"
    "If you are sure that any of the files you got is main TTD graphic file just change its name.";
constexpr auto W = MessageKind::Warning, E = MessageKind::Error;

// The warning about missing files, the first of them after "<ttd>".
std::pair<MessageKind, std::string> NotFound(const std::string& files) {
  return {W, "Files:\n<ttd>" + files + "\nwere not found."};
}

TEST(MergeConfigLines, LaysTheConfigurationOverTheInstalledFiles) {
  const MergeCase cases[] = {
      {"backslash separator, parameters appended", {"a.grf"}, {}, {"newgrf\\a.grf 2 3"}, {"A a.grf 2 3"}, {}},
      {"inactive not offered", {"a.grf"}, {}, {"newgrf/a.grf ! 5"}, {"A a.grf 5"}, {}, false},
      {"comments and blank lines take no place", {"a.grf", "b.grf"}, {},
       {"# my list", "", " ", "newgrf/b.grf", "#disabled#newgrf/a.grf", "newgrf/a.grf !"}, {"A b.grf", "I a.grf"}, {}},
      {"an unnamed file takes the place of a dropped line", {"a.grf", "b.grf", "c.grf"}, {},
       {"missing.grf", "newgrf/b.grf", "newgrf/a.grf"}, {"A b.grf", "O c.grf", "A a.grf"}, {NotFound("\\missing.grf")}},
      {"an index past the end goes to the end", {"a.grf", "b.grf"}, {},
       {"gone1.grf", "newgrf/gone2.grf", "newgrf/b.grf", "newgrf/a.grf 7"}, {"A b.grf", "A a.grf 7"},
       {NotFound("\\gone1.grf\n<ttd>\\newgrf\\gone2.grf")}},
      {"a second line moves the file again", {"a.grf", "b.grf", "c.grf"}, {}, {"newgrf/a.grf", "newgrf/a.grf !"},
       {"O b.grf", "I a.grf", "O c.grf"}, {}},
      {"names that differ in case only: the first in the order of the moment", {"A.grf", "a.grf", "x.grf"}, {},
       {"newgrf/A.grf", "newgrf/a.grf", "newgrf/A.GRF 5"}, {"A A.grf", "O x.grf", "A a.grf 5"}, {}},
#ifdef _WIN32
      {"letter case by the system's rules", {"\xE9t\xE9.grf"}, {}, {"NEWGRF/\xC9T\xC9.GRF"}, {"A \xE9t\xE9.grf"}, {}},
#endif
      {"a second line after parameters finds no item", {"a.grf", "b.grf"}, {}, {"newgrf/a.grf 1", "newgrf/a.grf"},
       {"A a.grf 1", "O b.grf"}, {}},
      {"main graphics file turned off", {"a.grf", "trg1r.grf"}, {}, {"newgrf/trg1r.grf", "newgrf/a.grf"},
       {"O trg1r.grf", "A a.grf"}, {{W, kMain}}},
      {"outside newgrf beside other GRF files: dropped quietly", {"a.grf"}, {"data/extra.grf", "data/other.grf"},
       {"data/extra.grf", "newgrf/a.grf"}, {"A a.grf"}, {}},
      {"an existing file in a directory without GRF files; error boxes, then missing files (a main graphics one too), "
       "then the main graphics warning",
       {"a.grf"}, {"data/sub/x.dat"}, {"gone.grf", "data/sub/x.dat 1", "trgi.grf"}, {"O a.grf"},
       {{E, "File not exists:\ndata\\sub\\x.dat"}, NotFound("\\gone.grf\n<ttd>\\trgi.grf"), {W, kMain}}},
      {"no installed files", {}, {"x.grf"}, {"newgrf/a.grf", "x.grf"}, {}, {NotFound("\\newgrf\\a.grf")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    GrfCheckList list;
    list.inactiveAvailable = c.inactiveAvailable;
    for (const auto& name : c.installed) {
      dir.Write("newgrf/" + name, std::string(2, '\0'));
      list.Add("newgrf/" + name, GrfState::Off);
    }
    for (const auto& other : c.others) dir.Write(other, std::string(2, '\0'));
    test::ScriptedDialogs dialogs;
    for (const auto& [kind, text] : c.messages) dialogs.Expect(kind, Expand(text, dir.path()));
    std::vector<std::string> lines = c.lines;
    const auto system = MakeSystemAdapters();
    MergeConfigLines(*system.files, dialogs, *system.locale, dir.path(), lines, list);
    std::vector<std::string> items;
    for (const auto& item : list.Items()) items.push_back("AIO"[int(item.state)] + (" " + item.text.substr(7)));
    EXPECT_EQ(c.expected, items);
  }
}

TEST(MainGraphicFiles, AreTheNamesTheWarningListsInExactLetterCase) {
  for (const char* name : {"trgtr.grf", "trgir.grf", "trghr.grf", "trgcr.grf", "trg1r.grf", "trend.grf", "trg1.grf",
                           "trgc.grf", "trgh.grf", "trgi.grf", "trgt.grf", "trhcom.grf", "trtitle.grf"}) {
    EXPECT_TRUE(IsMainGraphicFile(name)) << name;
  }
  for (const char* name : {"TRHCOM.GRF", "Trg1r.grf", "trg1r.grf ", "trg1r", "xtrg1r.grf", ""}) {
    EXPECT_FALSE(IsMainGraphicFile(name)) << name;
  }
}

std::string Order(const GrfCheckList& list) {
  std::string texts;
  for (const auto& item : list.Items()) texts += item.text;
  return texts;
}

// The toggle cycles, the drag targets and the entry texts are driven through the window's
// handlers in the controller tests; here is what they do not see.
TEST(GrfCheckList, MovesRemovesAndFindsKeepingTheSelectionOnItsItem) {
  GrfCheckList list;
  for (const char* text : {"a", "b", "c", "d"}) list.Add(text, GrfState::Off);
  list.Select(1);
  // From, to, the order after and where the selected item went; 99 is past the end.
  const std::tuple<int, int, const char*, int> moves[] = {
      {0, 2, "bcad", 0}, {3, 0, "dbca", 1}, {1, 99, "dcab", 3}, {0, 3, "cabd", 2}};
  for (const auto& [from, to, texts, selected] : moves) {
    list.Move(from, to);
    EXPECT_EQ(std::pair(std::string(texts), selected), std::pair(Order(list), list.Selected())) << from << " " << to;
  }
  EXPECT_EQ(std::pair(1, -1), std::pair(list.FindExact("a"), list.FindExact("A")));
  list.Remove(0);
  EXPECT_EQ(1, list.Selected());
  list.Remove(1);
  EXPECT_EQ(-1, list.Selected());
  EXPECT_THROW(list.Remove(5), std::out_of_range);
}

TEST(ItemOrder, AgreesWithTheListsMovesAndFindsEveryItemsPlace) {
  std::minstd_rand random(7);
  for (const int count : {1, 2, 3, 50, 700}) {
    GrfCheckList list;
    for (int i = 0; i < count; ++i) list.Add(std::to_string(i), GrfState::Off);
    ItemOrder order(count);
    for (int step = 0; step < 2000; ++step) {
      const int item = static_cast<int>(random() % static_cast<unsigned>(count));
      const int to = static_cast<int>(random() % static_cast<unsigned>(count + 2));
      ASSERT_EQ(std::to_string(item), list.Item(order.PositionOf(item)).text) << count << " items, step " << step;
      list.Move(order.PositionOf(item), to);
      order.Move(item, to);
    }
    std::string texts;
    for (const int item : order.Items()) texts += std::to_string(item);
    EXPECT_EQ(Order(list), texts) << count;
  }
}

}  // namespace
}  // namespace kestrav
