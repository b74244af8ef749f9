// Parameters and deleting on the selected entry. The file information report is checked
// through kestrav-cli info, which prints the box's text.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

// Three entries with the one given in the middle, selected.
struct EntryFixture : test::ManagerFixture {
  explicit EntryFixture(const std::string& text) {
    UseTtdDirectory();
    Add({{"newgrf/a.grf", GrfState::Off}, {text.c_str(), GrfState::Off}, {"newgrf/c.grf", GrfState::Off}});
    manager.listGrfFiles.Select(1);
    manager.spritesTotal = 7;
  }
};

TEST(SetParameter, TakesNumbersAndBlanksOnlyAndAsksAgainWithTheEarlierParameters) {
  const std::tuple<std::string, std::vector<std::optional<std::string>>, std::string, std::string> cases[] = {
      // entry text, the inputs in turn (nothing: Cancel), the field each box opens with, the text after
      {"newgrf/b.grf 1 2", {""}, "1 2", "b.grf"},
      {"newgrf/b.grf", {"  -1  09 -  "}, "", "b.grf  -1 09 - "},
      {"newgrf/b.grf  1 2 ", {"1,2", "1\t2", "7"}, "1 2", "b.grf 7"},
      {"newgrf/b.grf  1 2 ", {"a", std::nullopt}, "1 2", "b.grf 1 2"},
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
    EXPECT_EQ(std::vector(inputs.size(), "Parameters|newgrf/b.grf parameters:|" + field),
              f.platform.dialogs.inputsShown);
    EXPECT_EQ("a.grf O, " + after + " O, c.grf O", f.Listed());
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
    const std::string file = f.ttd.Join("newgrf/b.grf");
    directory ? f.ttd.MakeDirectory("newgrf/b.grf") : static_cast<void>(f.ttd.Write("newgrf/b.grf", "x"));
    const bool yes = answer == Answer::Yes, deleted = yes && !directory;
    f.platform.dialogs.Expect(MessageKind::Warning,
                              "Do you want to delete newgrf\\b.grf file?\n\nWarning: Deleting may not work with "
                              "Windows XP.",
                              MessageButtons::YesNo, answer);
    if (yes) {
      f.platform.dialogs.Expect(deleted ? MessageKind::Information : MessageKind::Error,
                                deleted ? "File:\n" + file + "\ndeleted." : "Program cannot delete file:\n" + file);
    }
    f.manager.TformManager::butnDeleteClick();
    EXPECT_EQ(deleted ? "a.grf O, c.grf O" : "a.grf O, " + text.substr(7) + " O, c.grf O", f.Listed());
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
