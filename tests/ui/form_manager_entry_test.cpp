// Parameters and deleting on the selected entry through the controller, on real files and
// with scripted boxes. The file information report is checked through kestrav-cli info,
// which prints the box's text.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using namespace std::string_literals;
using S = GrfState;

// Three entries with "newgrf/b.grf" and its file in the middle, selected.
struct EntryFixture : test::ManagerFixture {
  explicit EntryFixture(const std::string& text) {
    UseTtdDirectory();
    for (const auto& entry : {"newgrf/a.grf"s, text, "newgrf/c.grf"s}) manager.listGrfFiles.Add(entry, S::Inactive);
    manager.listGrfFiles.Select(1);
    manager.spritesTotal = 7;
  }
  std::vector<test::ListItem> ItemsWith(const std::string& middle) const {
    return {{"newgrf/a.grf", S::Inactive}, {middle, S::Inactive}, {"newgrf/c.grf", S::Inactive}};
  }
  std::string file = ttd.Join("newgrf/b.grf");
};

TEST(SetParameter, TakesNumbersAndBlanksOnlyAndAsksAgainWithTheEarlierParameters) {
  const std::tuple<std::string, std::vector<std::optional<std::string>>, std::string, std::string> cases[] = {
      // entry text, the inputs in turn (nothing: Cancel), the field each box opens with, the text after
      {"newgrf/b.grf 1 2", {""}, "1 2", "newgrf/b.grf"},
      {"newgrf/b.grf", {"  -1  09 -  "}, "", "newgrf/b.grf  -1 09 - "},
      {"newgrf/b.grf  1 2 ", {"1,2", "+3", "1.5", "1\t2", "0x1F", "7"}, "1 2", "newgrf/b.grf 7"},
      {"newgrf/b.grf  1 2 ", {"a", std::nullopt}, "1 2", "newgrf/b.grf 1 2"},
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
    EXPECT_EQ(std::tuple(1, false, 7),
              std::tuple(f.manager.listGrfFiles.Selected(), f.manager.fileChanged, f.manager.spritesTotal));
  }
}

TEST(Delete, RemovesTheFileAndItsEntryOnlyOnYesAndLeavesNothingSelected) {
  const std::tuple<std::string, bool, Answer> cases[] = {
      // entry text, a directory in place of the file, the answer
      {"newgrf/b.grf 1 2", false, Answer::Yes},
      {"newgrf/b.grf", false, Answer::No},
      {"newgrf/b.grf", true, Answer::Yes},
  };
  for (const auto& [text, directory, answer] : cases) {
    SCOPED_TRACE(text + (directory ? " directory" : ""));
    EntryFixture f(text);
    directory ? f.ttd.MakeDirectory("newgrf/b.grf") : static_cast<void>(f.ttd.Write("newgrf/b.grf", "x"));
    const bool yes = answer == Answer::Yes, deleted = yes && !directory;
    f.platform.dialogs.Expect(MessageKind::Warning,
                              "Do you want to delete newgrf\\b.grf file?\n\nWarning: Deleting may not work with "
                              "Windows XP.",
                              MessageButtons::YesNo, answer);
    if (yes) {
      f.platform.dialogs.Expect(deleted ? MessageKind::Information : MessageKind::Error,
                                deleted ? "File:\n" + f.file + "\ndeleted." : "Program cannot delete file:\n" + f.file);
    }
    f.manager.TformManager::butnDeleteClick();
    auto items = f.ItemsWith(text);
    if (deleted) items.erase(items.begin() + 1);
    EXPECT_EQ(items, f.Items());
    EXPECT_EQ(!deleted, f.ttd.Exists("newgrf/b.grf"));
    EXPECT_EQ(std::tuple(deleted, yes ? -1 : 1, !yes, true, true),
              std::tuple(f.manager.fileChanged, f.manager.listGrfFiles.Selected(),
                         f.view.IsCommandEnabled(Command::Delete), f.view.IsCommandEnabled(Command::FileInfo),
                         f.view.IsCommandEnabled(Command::Parameter)));
    if (yes) {  // the two commands left enabled do nothing without a selection
      f.manager.TformManager::butnFileInfoClick();
      f.manager.TformManager::butnParameterClick();
    }
  }
}

}  // namespace
}  // namespace kestrav
