// Parameters and deleting on the selected entry through the controller, on real files and
// with scripted boxes. The file information report is checked through kestrav-cli info,
// which prints the box's text.
#include <gtest/gtest.h>

#include <filesystem>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using namespace std::string_literals;
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
    EXPECT_EQ(std::tuple(1, false, 7),
              std::tuple(f.manager.listGrfFiles.Selected(), f.manager.fileChanged, f.manager.spritesTotal));
  }
}

TEST(Delete, RemovesTheFileAndItsEntryOnlyOnYesAndLeavesNothingSelected) {
  const std::string question =
      "Do you want to delete newgrf\\b.grf file?\n\nWarning: Deleting may not work with Windows XP.";
  enum class File { Plain, Missing, ReadOnly, Directory };
  constexpr auto kReadOnly = std::filesystem::perms::owner_read;
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
    if (file == File::ReadOnly) std::filesystem::permissions(f.ttd.path() + "/newgrf/b.grf", kReadOnly);
    if (file == File::Directory) f.ttd.MakeDirectory("newgrf/b.grf");
    const bool yes = answer == Answer::Yes;
    f.platform.dialogs.Expect(MessageKind::Warning, question, MessageButtons::YesNo, answer);
    if (yes) {
      f.platform.dialogs.Expect(deleted ? MessageKind::Information : MessageKind::Error,
                                deleted ? "File:\n" + f.file + "\ndeleted." : "Program cannot delete file:\n" + f.file);
    }
    f.manager.TformManager::butnDeleteClick();
    auto items = f.ItemsWith(text);
    if (deleted) items.erase(items.begin() + 1);
    EXPECT_EQ(items, f.Items());
    EXPECT_EQ(file != File::Missing && !deleted, f.ttd.Exists("newgrf/b.grf"));
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
