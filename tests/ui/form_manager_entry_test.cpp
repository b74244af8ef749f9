// The commands on the selected entry (file information, parameters, deleting) through the
// controller, on real files and with scripted boxes.
#include <gtest/gtest.h>

#include <filesystem>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using namespace std::string_literals;
using test::GrfBuilder;
using test::ListItem;
using S = GrfState;

// Three entries with "newgrf/b.grf" and its file in the middle, selected.
struct EntryFixture : test::ManagerFixture {
  explicit EntryFixture(const std::string& text) {
    UseTtdDirectory();
    for (const auto& entry : {"newgrf/a.grf"s, text, "newgrf/c.grf"s}) manager.listGrfFiles.Add(entry, S::Inactive);
    manager.listGrfFiles.Select(1);
    manager.spritesTotal = 7;
  }
  std::vector<ListItem> ItemsWith(const std::string& middle) const {
    return {{"newgrf/a.grf", S::Inactive}, {middle, S::Inactive}, {"newgrf/c.grf", S::Inactive}};
  }
  std::string file = ttd.Join("newgrf/b.grf");
};

TEST(FileInfo, ReportsOnThePathBeforeTheFirstBlankOrSaysWhyItCannot) {
  const std::string none = "\n'Action 8' not found.\nThere is no data written by author\n\nTotal Sprites: ";
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      // the file's bytes (nothing: a directory), the box's text after the modified line
      {GrfBuilder().Stored(1).Pseudo("x").Terminator().bytes(),
       none + "2\n    Normal Sprites: 1\n    Pseudo Sprites: 1"},
      {GrfBuilder().Terminator().bytes(), none + "0\n    Normal Sprites: 0\n    Pseudo Sprites: 0"},
      {GrfBuilder().Action8(0x80, "AB\x00\xFF"s, "", "d1").Stored(1).Action8(0xFF, "WXYZ", "i2", "").bytes(),
       "\nGRF Version: -128\nGRF ID: 414200FF\nInfo: \nDescription: d1\nGRF Version: -1\nGRF ID: 5758595A\n"
       "Info: i2\nDescription: \n\nTotal Sprites: 3\n    Normal Sprites: 1\n    Pseudo Sprites: 2"},
      {GrfBuilder().Action8(7, "KS\x01\x02"s, "Info\x01", "").Terminator().bytes(),
       "\nGRF Version: 7\nGRF ID: 4B530102\nInfo: Info\x01\nDescription: \n\nTotal Sprites: 1\n"
       "    Normal Sprites: 0\n    Pseudo Sprites: 1"},
      {std::nullopt, ""},
  };
  for (const auto& [bytes, report] : cases) {
    EntryFixture f("newgrf/b.grf 1 2");
    if (bytes) {
      f.ttd.Write("newgrf/b.grf", *bytes);
      Locale& locale = *f.platform.system.locale;
      const DosDateTime modified = *f.platform.system.files->LastWriteTime(f.file);
      f.platform.dialogs.Expect(MessageKind::Information, "File name: b.grf\nModified: " + locale.ShortDate(modified) +
                                                              " " + locale.LongTime(modified) + "\n" + report);
    } else {
      f.ttd.MakeDirectory("newgrf/b.grf");
      f.platform.dialogs.Expect(MessageKind::Error, "Cannot find file:\n" + f.file);
    }
    f.manager.TformManager::butnFileInfoClick();
    EXPECT_EQ(f.ItemsWith("newgrf/b.grf 1 2"), f.Items());
  }
}

TEST(SetParameter, TakesNumbersAndBlanksOnlyAndAsksAgainWithTheEarlierParameters) {
  const std::tuple<std::string, std::vector<std::optional<std::string>>, std::string, std::string> cases[] = {
      // entry text, the inputs in turn (nothing: Cancel), the field each box opens with, the text after
      {"newgrf/b.grf", {""}, "", "newgrf/b.grf"},
      {"newgrf/b.grf 1 2", {""}, "1 2", "newgrf/b.grf"},
      {"newgrf/b.grf", {"1  2"}, "", "newgrf/b.grf 1 2"},
      {"newgrf/b.grf", {"  1 2  "}, "", "newgrf/b.grf  1 2 "},
      {"newgrf/b.grf", {"-1 5"}, "", "newgrf/b.grf -1 5"},
      {"newgrf/b.grf 3", {"0 -"}, "3", "newgrf/b.grf 0 -"},
      {"newgrf/b.grf 3", {std::nullopt}, "3", "newgrf/b.grf 3"},
      {"newgrf/b.grf", {"0x1F", std::nullopt}, "", "newgrf/b.grf"},
      {"newgrf/b.grf  1 2 ", {"1,2", "+3", "1.5", "1\t2", "7"}, "1 2", "newgrf/b.grf 7"},
      {"newgrf/b.grf 1 2", {"1\t2", std::nullopt}, "1 2", "newgrf/b.grf 1 2"},
  };
  for (const auto& [text, inputs, field, after] : cases) {
    SCOPED_TRACE(text + "|" + inputs.front().value_or("(cancel)"));
    EntryFixture f(text);
    for (const auto& input : inputs) f.platform.dialogs.ExpectInput(input);
    for (std::size_t refused = 1; refused < inputs.size(); ++refused) {
      f.platform.dialogs.Expect(MessageKind::Error,
                                "Entered value must be number.\nMultiple parameters have to be separated by space.");
    }
    f.manager.TformManager::butnParameterClick();
    for (const auto& shown : f.platform.dialogs.inputsShown) {
      EXPECT_EQ(std::tuple("Parameters"s, "newgrf/b.grf parameters:"s, field),
                std::tuple(shown.caption, shown.prompt, shown.text));
    }
    EXPECT_EQ(f.ItemsWith(after), f.Items());
    EXPECT_EQ(std::tuple(1, false, 7), std::tuple(f.manager.listGrfFiles.Selected(), f.manager.fileChanged,
                                                  f.manager.spritesTotal));
  }
}

TEST(Delete, RemovesTheFileAndItsEntryOnlyOnYesAndClearsTheSelection) {
  const std::string question = "Do you want to delete newgrf\\b.grf file?\n\nWarning: Deleting may not work with Windows XP.";
  enum class File { Plain, Missing, ReadOnly, Directory };
  const std::tuple<std::string, File, Answer, bool> cases[] = {
      // entry text, what lies at its path, the answer, whether it is deleted
      {"newgrf/b.grf 1 2", File::Plain, Answer::Yes, true},
      {"newgrf/b.grf", File::Plain, Answer::No, false},
      {"newgrf/b.grf", File::Missing, Answer::Yes, false},
      {"newgrf/b.grf", File::ReadOnly, Answer::Yes, false},
      {"newgrf/b.grf", File::Directory, Answer::Yes, false},
  };
  for (const auto& [text, file, answer, deleted] : cases) {
    SCOPED_TRACE(static_cast<int>(file));
    EntryFixture f(text);
    if (file == File::Plain || file == File::ReadOnly) f.ttd.Write("newgrf/b.grf", "x");
    if (file == File::ReadOnly) std::filesystem::permissions(f.ttd.path() + "/newgrf/b.grf", std::filesystem::perms::owner_read);
    if (file == File::Directory) f.ttd.MakeDirectory("newgrf/b.grf");
    f.platform.dialogs.Expect(MessageKind::Warning, question, MessageButtons::YesNo, answer);
    if (answer == Answer::Yes) {
      f.platform.dialogs.Expect(deleted ? MessageKind::Information : MessageKind::Error,
                                deleted ? "File:\n" + f.file + "\ndeleted." : "Program cannot delete file:\n" + f.file);
    }
    f.manager.TformManager::butnDeleteClick();
    auto items = f.ItemsWith(text);
    if (deleted) items.erase(items.begin() + 1);
    EXPECT_EQ(items, f.Items());
    EXPECT_EQ(file != File::Missing && !deleted, f.ttd.Exists("newgrf/b.grf"));
    EXPECT_EQ(deleted, f.manager.fileChanged);
    EXPECT_EQ(answer == Answer::Yes ? -1 : 1, f.manager.listGrfFiles.Selected());
    EXPECT_EQ(answer != Answer::Yes, f.view.IsCommandEnabled(Command::Delete));
    EXPECT_TRUE(f.view.IsCommandEnabled(Command::FileInfo) && f.view.IsCommandEnabled(Command::Parameter));
  }
}

TEST(EntryCommands, DoNothingWithoutASelection) {
  EntryFixture f("newgrf/b.grf 1");
  f.manager.listGrfFiles.Select(-1);
  f.manager.TformManager::butnFileInfoClick();
  f.manager.TformManager::butnParameterClick();
  f.manager.butnDeleteClick();
  EXPECT_EQ(f.ItemsWith("newgrf/b.grf 1"), f.Items());
}

}  // namespace
}  // namespace kestrav
