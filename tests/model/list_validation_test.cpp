#include "model/list_validation.h"

#include <gtest/gtest.h>

#include "model/config_file.h"
#include "platform/system_platform.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

const std::string kEmptyGrf("\x00\x00", 2);

struct Item {
  std::string text;
  GrfState state;
  bool operator==(const Item&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
  return out << "{" << item.text << ", " << static_cast<int>(item.state) << "}";
}

struct Message {
  MessageKind kind;
  std::string text;  // "<ttd>" stands for the TTD directory
};

struct MergeCase {
  const char* name;
  std::vector<std::string> installed;  // the newgrf files, in list order
  std::vector<std::string> others;     // further files of the TTD directory
  std::vector<std::string> lines;
  bool inactiveAvailable;
  std::vector<Item> expected;
  std::vector<Message> messages;
};

std::string Expand(std::string text, const std::string& ttdDir) {
  for (auto at = text.find("<ttd>"); at != std::string::npos; at = text.find("<ttd>", at + ttdDir.size())) {
    text.replace(at, 5, ttdDir);
  }
  return text;
}

std::vector<Item> ItemsOf(const GrfCheckList& list) {
  std::vector<Item> items;
  for (const auto& item : list.Items()) items.push_back({item.text, item.state});
  return items;
}

const std::string kMain = kMainGraphicsWarning;

TEST(MergeConfigLines, LaysTheConfigurationOverTheInstalledFiles) {
  using S = GrfState;
  const MergeCase cases[] = {
      {"one entry of two files", {"a.grf", "b.grf"}, {}, {"newgrf/a.grf"}, true,
       {{"newgrf/a.grf", S::Active}, {"newgrf/b.grf", S::Off}}, {}},
      {"backslash separator, parameters appended", {"a.grf"}, {}, {"newgrf\\a.grf 2 3"}, true,
       {{"newgrf/a.grf 2 3", S::Active}}, {}},
      {"other letter case keeps the disk's spelling", {"a.grf", "b.grf"}, {}, {"NEWGRF/A.GRF", "NewGrf/B.Grf 1"},
       true, {{"newgrf/a.grf", S::Active}, {"newgrf/b.grf 1", S::Active}}, {}},
      {"inactive offered", {"a.grf"}, {}, {"newgrf/a.grf ! 5"}, true, {{"newgrf/a.grf 5", S::Inactive}}, {}},
      {"inactive not offered", {"a.grf"}, {}, {"newgrf/a.grf ! 5"}, false, {{"newgrf/a.grf 5", S::Active}}, {}},
      {"disabled with parameters", {"a.grf"}, {}, {"#DISABLED#newgrf/a.grf ! 1"}, true,
       {{"newgrf/a.grf 1", S::Off}}, {}},
      {"comments and empty lines do not count as places", {"a.grf", "b.grf"}, {},
       {"# my list", "", "newgrf/b.grf", "#disabled#newgrf/a.grf", "newgrf/a.grf !"}, true,
       {{"newgrf/b.grf", S::Active}, {"newgrf/a.grf", S::Inactive}}, {}},
      {"an unnamed file takes the place of a dropped line", {"a.grf", "b.grf", "c.grf"}, {},
       {"missing.grf", "newgrf/b.grf", "newgrf/a.grf"}, true,
       {{"newgrf/b.grf", S::Active}, {"newgrf/c.grf", S::Off}, {"newgrf/a.grf", S::Active}},
       {{MessageKind::Warning, "Files:\n<ttd>\\missing.grf\nwere not found."}}},
      {"an index past the end goes to the end", {"a.grf", "b.grf"}, {},
       {"gone1.grf", "newgrf/gone2.grf", "newgrf/b.grf", "newgrf/a.grf 7"}, true,
       {{"newgrf/b.grf", S::Active}, {"newgrf/a.grf 7", S::Active}},
       {{MessageKind::Warning, "Files:\n<ttd>\\gone1.grf\n<ttd>\\newgrf\\gone2.grf\nwere not found."}}},
      {"a directory is no file", {"a.grf"}, {"newgrf/dir.grf/x.grf"}, {"newgrf/dir.grf"}, true,
       {{"newgrf/a.grf", S::Off}}, {{MessageKind::Warning, "Files:\n<ttd>\\newgrf\\dir.grf\nwere not found."}}},
      {"a second line for the same file moves it again", {"a.grf", "b.grf", "c.grf"}, {},
       {"newgrf/a.grf", "newgrf/a.grf !"}, true,
       {{"newgrf/b.grf", S::Off}, {"newgrf/a.grf", S::Inactive}, {"newgrf/c.grf", S::Off}}, {}},
      {"a second line after parameters finds no item", {"a.grf", "b.grf"}, {}, {"newgrf/a.grf 1", "newgrf/a.grf"},
       true, {{"newgrf/a.grf 1", S::Active}, {"newgrf/b.grf", S::Off}}, {}},
      {"main graphics file turned off", {"a.grf", "trg1r.grf"}, {}, {"newgrf/trg1r.grf", "newgrf/a.grf"}, true,
       {{"newgrf/trg1r.grf", S::Off}, {"newgrf/a.grf", S::Active}}, {{MessageKind::Warning, kMain}}},
      {"main graphics warning after the missing files", {"trgc.grf"}, {}, {"gone.grf", "newgrf/trgc.grf 1"}, true,
       {{"newgrf/trgc.grf 1", S::Off}},
       {{MessageKind::Warning, "Files:\n<ttd>\\gone.grf\nwere not found."}, {MessageKind::Warning, kMain}}},
      {"a missing main graphics file still warns", {"a.grf"}, {}, {"newgrf/trtitle.grf"}, true,
       {{"newgrf/a.grf", S::Off}},
       {{MessageKind::Warning, "Files:\n<ttd>\\newgrf\\trtitle.grf\nwere not found."}, {MessageKind::Warning, kMain}}},
      {"upper-case name is an ordinary file", {"trg1r.grf"}, {}, {"newgrf/TRG1R.GRF"}, true,
       {{"newgrf/trg1r.grf", S::Active}}, {}},
      {"outside newgrf beside other GRF files: dropped quietly", {"a.grf"}, {"data/extra.grf", "data/other.grf"},
       {"data/extra.grf", "newgrf/a.grf"}, true, {{"newgrf/a.grf", S::Active}}, {}},
      {"main graphics file outside newgrf: dropped, warned", {"a.grf"}, {"data/trg1r.grf"}, {"data/trg1r.grf"}, true,
       {{"newgrf/a.grf", S::Off}}, {{MessageKind::Warning, kMain}}},
      {"an existing file in a directory without GRF files", {"a.grf"}, {"ttdx.exe", "data/sub/x.dat"},
       {"ttdx.exe", "data/sub/x.dat 1", "newgrf/a.grf"}, true, {{"newgrf/a.grf", S::Active}},
       {{MessageKind::Error, "File not exists:\nttdx.exe"},
        {MessageKind::Error, "File not exists:\ndata\\sub\\x.dat"}}},
      {"error boxes come before the summaries", {"a.grf"}, {"readme.txt"}, {"gone.grf", "readme.txt", "trgi.grf"},
       true, {{"newgrf/a.grf", S::Off}},
       {{MessageKind::Error, "File not exists:\nreadme.txt"},
        {MessageKind::Warning, "Files:\n<ttd>\\gone.grf\n<ttd>\\trgi.grf\nwere not found."},
        {MessageKind::Warning, kMain}}},
      {"blank-only lines are skipped", {"a.grf"}, {}, {" ", "  ", "newgrf/a.grf"}, true,
       {{"newgrf/a.grf", S::Active}}, {}},
      {"only comments", {"b.grf", "a.grf"}, {}, {"# x", "", "#DISABLE#newgrf/a.grf"}, true,
       {{"newgrf/b.grf", S::Off}, {"newgrf/a.grf", S::Off}}, {}},
      {"no installed files", {}, {"x.grf"}, {"newgrf/a.grf", "x.grf"}, true, {},
       {{MessageKind::Warning, "Files:\n<ttd>\\newgrf\\a.grf\nwere not found."}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    dir.MakeDirectory("newgrf");
    GrfCheckList list;
    list.inactiveAvailable = c.inactiveAvailable;
    for (const auto& name : c.installed) {
      dir.Write("newgrf/" + name, kEmptyGrf);
      list.Add("newgrf/" + name, GrfState::Off);
    }
    for (const auto& other : c.others) dir.Write(other, kEmptyGrf);
    {
      test::ScriptedDialogs dialogs;
      for (const auto& message : c.messages) dialogs.Expect(message.kind, Expand(message.text, dir.path()));
      auto files = MakeSystemAdapters().files;
      std::vector<std::string> lines = c.lines, cleaned = c.lines;
      MergeConfigLines(*files, dialogs, dir.path(), lines, list);
      CleanConfigLines(cleaned);
      EXPECT_EQ(cleaned, lines) << "the lines are cleaned in place";
    }
    EXPECT_EQ(c.expected, ItemsOf(list));
  }
}

TEST(MainGraphicFiles, AreTheNamesTheWarningListsInExactLetterCase) {
  for (const char* name : {"trgtr.grf", "trgir.grf", "trghr.grf", "trgcr.grf", "trg1r.grf", "trend.grf", "trg1.grf",
                           "trgc.grf", "trgh.grf", "trgi.grf", "trgt.grf", "trhcom.grf", "trtitle.grf"}) {
    EXPECT_TRUE(IsMainGraphicFile(name)) << name;
    EXPECT_NE(std::string::npos, kMain.find(std::string(" ") + name)) << name;
  }
  for (const char* name : {"TRHCOM.GRF", "Trg1r.grf", "trg1r.grf ", "trg1r", "xtrg1r.grf", ""}) {
    EXPECT_FALSE(IsMainGraphicFile(name)) << name;
  }
}

}  // namespace
}  // namespace kestrav
