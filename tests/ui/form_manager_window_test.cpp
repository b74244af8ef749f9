// The main window's controller as its window drives it: geometry, the close question and
// the check list's mouse and key behaviour, with a recording view.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::ListItem;
using S = GrfState;

// A window on a TTD directory of three GRF files of 1, 2 and 4 normal sprites, all Off.
struct WindowFixture : test::ManagerFixture {
  WindowFixture() {
    UseTtdDirectory();
    ttd.Write("GameGFX.exe", "");
    for (const auto& [name, sprites] : {std::pair{"a", 1}, {"b", 2}, {"c", 4}}) {
      manager.listGrfFiles.Add(std::string("newgrf/") + name + ".grf", S::Off);
      ttd.Write(manager.listGrfFiles.Items().back().text, test::GrfOf(sprites));
    }
  }
  // A press on row from's text (or its check box) and a release (dx, dy) away from there.
  void Click(int from, bool inBox = false, bool doubleClick = false, int dx = 0, int dy = 0, bool overList = true) {
    const int x = inBox ? 5 : 100, y = from * 13 + 6;
    manager.ListButtonDown(MouseButton::Left, x, y, doubleClick);
    manager.ListMouseMove(x + dx, y + dy, true);
    manager.ListLeftButtonUp(x + dx, y + dy, overList);
  }
  std::string Order() const {
    std::string names;
    for (const auto& item : manager.listGrfFiles.Items()) names += item.text.substr(7, 1);
    return names;
  }
  bool SelectionCommands() const {
    return view.IsCommandEnabled(Command::Delete) && view.IsCommandEnabled(Command::FileInfo) &&
           view.IsCommandEnabled(Command::Parameter);
  }
};

TEST(FormCreate, PlacesTheWindowFromTheSettingsLoadsTheListAndReportsValuesOfTheWrongType) {
  test::ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("newgrf/a.grf", "");
  f.ttd.Write("newgrfw.cfg", "");
  for (const auto& [name, value] : {std::pair{"Width", 2000}, {"Height", 2000}, {"Top", 10}, {"Left", 900}}) {
    f.Put(name, value);
  }
  f.manager.FormCreate();
  EXPECT_EQ((WindowBounds{900, 10, 1024, 738}), f.view.bounds) << "within the work area";
  EXPECT_EQ((std::map<int, int>{{0, 150}, {1, 150}}), f.view.panelWidth);
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/a.grf", S::Off}}), f.Items());
  f.manager.FormResize(641);
  EXPECT_EQ(310, f.view.panelWidth[0]) << "half the width less 20";

  test::ManagerFixture wrong;
  wrong.Put("Width", "w");
  wrong.Put(setting::kTtdPath, 7);
  wrong.platform.dialogs.Expect(MessageKind::Error, "Invalid data type for 'Width'");
  wrong.platform.dialogs.Expect(MessageKind::Error, "Invalid data type for 'TTD Path'");
  wrong.manager.FormCreate();
  EXPECT_EQ((WindowBounds{352, 184, 320, 400}), wrong.view.bounds) << "the defaults: centred on the screen";
}

TEST(FormClose, AsksWhileChangedAndStoresTheGeometryEveryTime) {
  // The answer (nothing: unchanged, no question), then whether the application ends and the
  // list is saved; a save that fails throws out of the close, which then stores nothing.
  const std::tuple<std::optional<Answer>, bool, bool, bool> cases[] = {
      {std::nullopt, false, false, false}, {Answer::Yes, true, true, false}, {Answer::No, true, false, false},
      {Answer::Cancel, false, false, false}, {Answer::Yes, false, false, true}};
  for (const auto& [answer, ended, saved, fails] : cases) {
    SCOPED_TRACE(answer ? static_cast<int>(*answer) : -1);
    WindowFixture f;
    if (fails) f.ttd.MakeDirectory("newgrfw.cfg");
    f.Put(setting::kNoOverwriteConfirmation, 1);
    f.view.bounds = {12, 34, 567, 890};
    f.manager.fileChanged = answer.has_value();
    if (answer) {
      f.platform.dialogs.Expect(MessageKind::Confirmation,
                                "File changed.\nDo you want to save it?\nPress 'Yes' to save and exit,\n'No' to exit "
                                "without saving,\nor 'Cancel' to not exit.",
                                MessageButtons::YesNoCancel, *answer);
    }
    if (fails) {
      EXPECT_THROW(f.manager.FormClose(), OperationError);
    } else {
      EXPECT_EQ(answer ? CloseAction::None : CloseAction::Free, f.manager.FormClose());
    }
    EXPECT_EQ(ended, f.view.ended);
    EXPECT_EQ(saved, f.ttd.Exists("newgrfw.cfg") && !fails);
    EXPECT_EQ(answer.has_value() && !saved, f.manager.fileChanged) << "the next close asks again";
    auto stored = f.Settings();
    if (fails) {
      EXPECT_FALSE(stored.ValueExists("Top"));
      continue;
    }
    EXPECT_EQ(std::tuple(34, 12, 567, 890), std::tuple(stored.ReadInteger("Top"), stored.ReadInteger("Left"),
                                                       stored.ReadInteger("Width"), stored.ReadInteger("Height")));
  }
}

TEST(CheckList, BoxesCycleTheOfferedStatesWithTheTotalsAndTheKeysAndRightButtonSelect) {
  const std::pair<bool, std::vector<std::tuple<S, int, int>>> cases[] = {
      // b's state, the total and the inactive sprites after each click on b, with c active
      {true, {{S::Inactive, 6, 2}, {S::Active, 6, 0}, {S::Off, 4, 0}}},
      {false, {{S::Active, 6, 0}, {S::Off, 4, 0}}},
  };
  for (const auto& [inactiveAvailable, steps] : cases) {
    WindowFixture f;
    f.manager.listGrfFiles.inactiveAvailable = inactiveAvailable;
    f.manager.listGrfFiles.SetState(2, S::Active);
    f.manager.CountAllSprites(true, -1);
    for (const auto& [state, total, inactive] : steps) {
      f.Click(1, true);
      EXPECT_EQ(state, f.manager.listGrfFiles.Item(1).state);
      f.ExpectTotals(total, inactive);
    }
    EXPECT_TRUE(f.manager.fileChanged);
    EXPECT_TRUE(f.SelectionCommands());
    EXPECT_EQ(1, f.manager.listGrfFiles.Selected()) << "the press selected the toggled item";
  }

  WindowFixture f;
  f.manager.ListSpaceKey();  // no selection: nothing
  f.view.SetCommandEnabled(Command::Delete, false);
  f.manager.ListButtonDown(MouseButton::Right, 100, 2 * 13 + 3, false);
  EXPECT_EQ(2, f.manager.listGrfFiles.Selected());
  EXPECT_TRUE(f.SelectionCommands());
  f.manager.ListButtonDown(MouseButton::Right, 100, 250, false);
  EXPECT_EQ(2, f.manager.listGrfFiles.Selected()) << "below the last item";
  EXPECT_FALSE(f.manager.fileChanged);
  f.manager.ListKeyboardSelect(1);
  f.manager.ListSpaceKey();
  EXPECT_EQ(S::Inactive, f.manager.listGrfFiles.Item(1).state);
  f.ExpectTotals(2, 2);

  // A disabled list takes neither.
  WindowFixture off;
  off.manager.listGrfFiles.Select(0);
  off.manager.listGrfFiles.enabled = false;
  off.Click(1, true);
  off.Click(0, false, false, 0, 26);
  off.manager.ListKeyboardSelect(2);
  off.manager.ListSpaceKey();
  EXPECT_EQ(0, off.manager.listGrfFiles.Selected());
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/a.grf", S::Off}, {"newgrf/b.grf", S::Off}, {"newgrf/c.grf", S::Off}}),
            off.Items());
  EXPECT_FALSE(off.manager.fileChanged);
}

TEST(Dragging, MovesTheItemOnlyPastTheThreshold) {
  const struct {
    const char* name;
    int from, dx, dy;
    bool overList, inBox = false;
    const char* order;
  } cases[] = {
      {"4 pixels both ways is not a drag", 0, 4, 4, true, false, "abc"},
      {"5 pixels down starts it; dropped on its own row", 0, 0, 5, true, false, "abc"},
      {"down onto the last item", 0, 0, 26, true, false, "bca"},
      {"up onto the first item", 2, 5, -26, true, false, "cab"},
      {"below the last item: to the end", 0, 0, 200, true, false, "bca"},
      {"on the list's frame, outside its client area: to the end", 1, 400, 0, true, false, "acb"},
      {"released outside the list: no drop", 0, 0, 26, false, false, "abc"},
      {"a toggle cancels the drag", 0, 0, 34, true, true, "abc"},
  };
  for (const auto& c : cases) {
    WindowFixture f;
    f.Click(c.from, c.inBox, false, c.dx, c.dy, c.overList);
    EXPECT_EQ(c.order, f.Order()) << c.name;
    EXPECT_EQ(c.inBox || (std::max(std::abs(c.dx), std::abs(c.dy)) >= 5 && c.overList), f.manager.fileChanged)
        << c.name;
    EXPECT_FALSE(f.view.dragging) << c.name;
  }
}

TEST(DoubleClick, RunsTheChosenCommandUnlessACheckBoxWasJustClicked) {
  const std::tuple<std::optional<int>, const char*> cases[] = {{std::nullopt, "info;"}, {0, "info;"}, {1, "param;"}};
  for (const auto& [action, ran] : cases) {
    WindowFixture f;
    if (action) f.Put(setting::kDoubleClickAction, *action);
    f.Click(1);
    f.Click(1, false, true, 0, 26);
    EXPECT_EQ(ran, f.manager.ran);
    EXPECT_FALSE(f.manager.dblClickHandled) << "cleared by the mouse-down that followed";
    EXPECT_EQ("abc", f.Order()) << "that mouse-down prepared no drag";
    f.view.SetCommandEnabled(Command::FileInfo, false);
    f.view.SetCommandEnabled(Command::Parameter, false);
    f.manager.listGrfFilesDblClick();
    EXPECT_EQ(ran, f.manager.ran) << "a disabled command does not run";
  }
  WindowFixture f;
  f.Click(0, true);
  for (const bool inBox : {false, false, true}) {
    f.Click(inBox ? 2 : 1, inBox);
    f.Click(inBox ? 2 : 1, inBox, true);
  }
  EXPECT_EQ("info;", f.manager.ran) << "the double click after a toggle only clears the flag";
  EXPECT_EQ(S::Active, f.manager.listGrfFiles.Item(2).state) << "on a check box: two toggles and no command";
}

}  // namespace
}  // namespace kestrav
