// The main window's controller as its window drives it: geometry, the close question and
// the check list's mouse and key behaviour, with a recording view.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::ListItem;
using S = GrfState;

const char* const kCloseQuestion =
    "File changed.\nDo you want to save it?\nPress 'Yes' to save and exit,\n'No' to exit without saving,\n"
    "or 'Cancel' to not exit.";

// A window on a TTD directory of three GRF files of 1, 2 and 4 normal sprites, all Off.
struct WindowFixture : test::ManagerFixture {
  WindowFixture() {
    UseTtdDirectory();
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
  void DoubleClick(int index, bool inBox = false) {
    Click(index, inBox);
    Click(index, inBox, true);
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

TEST(FormCreate, PlacesTheWindowFromTheSettingsAndLoadsTheList) {
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
}

TEST(FormCreate, AValueOfTheWrongTypeIsReportedAndTheWindowStillOpens) {
  test::ManagerFixture f;
  f.Put("Width", "w");
  f.Put(setting::kTtdPath, 7);
  f.platform.dialogs.Expect(MessageKind::Error, "Invalid data type for 'Width'");
  f.platform.dialogs.Expect(MessageKind::Error, "Invalid data type for 'TTD Path'");
  f.manager.FormCreate();
  EXPECT_EQ((WindowBounds{352, 184, 320, 400}), f.view.bounds) << "the defaults: centred on the screen";
}

TEST(FormClose, AsksWhileChangedAndStoresTheGeometryEveryTime) {
  const std::tuple<std::optional<Answer>, CloseAction, bool, bool> cases[] = {
      // the answer (nothing: unchanged, no question), what the close does, ended, saved
      {std::nullopt, CloseAction::Free, false, false},
      {Answer::Yes, CloseAction::None, true, true},
      {Answer::No, CloseAction::None, true, false},
      {Answer::Cancel, CloseAction::None, false, false},
  };
  for (const auto& [answer, action, ended, saved] : cases) {
    SCOPED_TRACE(answer ? static_cast<int>(*answer) : -1);
    WindowFixture f;
    f.ttd.Write("GameGFX.exe", "");
    f.view.bounds = {12, 34, 567, 890};
    f.manager.fileChanged = answer.has_value();
    if (answer) {
      f.platform.dialogs.Expect(MessageKind::Confirmation, kCloseQuestion, MessageButtons::YesNoCancel, *answer);
    }
    if (saved) f.platform.dialogs.Expect(MessageKind::Information, "'newgrfw.cfg' saved");
    EXPECT_EQ(action, f.manager.FormClose());
    EXPECT_EQ(ended, f.view.ended);
    EXPECT_EQ(saved, f.ttd.Exists("newgrfw.cfg"));
    auto stored = f.Settings();
    EXPECT_EQ(std::tuple(34, 12, 567, 890), std::tuple(stored.ReadInteger("Top"), stored.ReadInteger("Left"),
                                                       stored.ReadInteger("Width"), stored.ReadInteger("Height")));
  }
  // A save that fails throws out of the close: the window stays and nothing is stored.
  WindowFixture f;
  f.ttd.Write("GameGFX.exe", "");
  f.ttd.MakeDirectory("newgrfw.cfg");
  f.Put(setting::kNoOverwriteConfirmation, 1);
  f.manager.fileChanged = true;
  f.platform.dialogs.Expect(MessageKind::Confirmation, kCloseQuestion, MessageButtons::YesNoCancel, Answer::Yes);
  EXPECT_THROW(f.manager.FormClose(), OperationError);
  EXPECT_FALSE(f.view.ended);
  EXPECT_TRUE(f.manager.fileChanged) << "the next close asks again";
  EXPECT_FALSE(f.Settings().ValueExists("Top"));
}

TEST(CheckBox, CyclesThroughTheOfferedStatesWithTheTotalsFollowing) {
  const std::pair<bool, std::vector<std::tuple<S, int, int>>> cases[] = {
      // b's state, the total and the inactive sprites after each click on b, with c active
      {true, {{S::Inactive, 6, 2}, {S::Active, 6, 0}, {S::Off, 4, 0}}},
      {false, {{S::Active, 6, 0}, {S::Off, 4, 0}}},
  };
  for (const auto& [inactiveAvailable, steps] : cases) {
    SCOPED_TRACE(inactiveAvailable);
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
}

TEST(Selection, ClicksRightClicksAndKeysSelectAndSpaceTogglesTheSelectedItem) {
  WindowFixture f;
  f.manager.ListSpaceKey();
  f.view.SetCommandEnabled(Command::Delete, false);
  f.Click(0);
  EXPECT_EQ(0, f.manager.listGrfFiles.Selected());
  EXPECT_TRUE(f.SelectionCommands());
  f.manager.ListButtonDown(MouseButton::Right, 100, 2 * 13 + 3, false);
  EXPECT_EQ(2, f.manager.listGrfFiles.Selected());
  f.manager.ListButtonDown(MouseButton::Right, 100, 250, false);
  EXPECT_EQ(2, f.manager.listGrfFiles.Selected()) << "below the last item";
  EXPECT_FALSE(f.manager.fileChanged) << "nothing changed yet, not even by a space without a selection";
  EXPECT_EQ("abc", f.Order());
  EXPECT_EQ("", f.manager.ran);
  f.manager.ListKeyboardSelect(1);
  f.manager.ListSpaceKey();
  EXPECT_EQ(S::Inactive, f.manager.listGrfFiles.Item(1).state);
  f.ExpectTotals(2, 2);
  EXPECT_TRUE(f.manager.fileChanged);

  // A disabled list takes neither.
  WindowFixture off;
  off.manager.listGrfFiles.Select(0);
  off.manager.listGrfFiles.enabled = false;
  off.Click(1, true);
  off.Click(0, false, false, 0, 26);
  off.manager.ListKeyboardSelect(2);
  off.manager.ListSpaceKey();
  EXPECT_EQ(0, off.manager.listGrfFiles.Selected());
  EXPECT_EQ("abc", off.Order());
  EXPECT_EQ(S::Off, off.manager.listGrfFiles.Item(0).state);
  EXPECT_EQ(S::Off, off.manager.listGrfFiles.Item(1).state);
  EXPECT_FALSE(off.manager.fileChanged);
}

TEST(Dragging, MovesTheItemOnlyPastTheThreshold) {
  const struct {
    const char* name;
    int from, dx, dy;
    bool overList;
    const char* order;
    bool changed;
  } cases[] = {
      {"4 pixels both ways is not a drag", 0, 4, 4, true, "abc", false},
      {"5 pixels down starts it; dropped on its own row", 0, 0, 5, true, "abc", true},
      {"down onto the last item", 0, 0, 26, true, "bca", true},
      {"up onto the first item", 2, 5, -26, true, "cab", true},
      {"below the last item: to the end", 0, 0, 200, true, "bca", true},
      {"on the list's frame, outside its client area: to the end", 1, 400, 0, true, "acb", true},
      {"released outside the list: no drop", 0, 0, 26, false, "abc", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WindowFixture f;
    f.Click(c.from, false, false, c.dx, c.dy, c.overList);
    EXPECT_EQ(c.order, f.Order());
    EXPECT_EQ(c.changed, f.manager.fileChanged);
    EXPECT_FALSE(f.view.dragging);
    EXPECT_EQ(0, f.manager.spritesTotal) << "no recount";
  }
  WindowFixture f;
  f.Click(0, true, false, 0, 34);
  EXPECT_EQ("abc", f.Order()) << "a toggle cancels the drag";
  EXPECT_FALSE(f.view.dragging);
}

TEST(DoubleClick, RunsTheChosenCommandUnlessACheckBoxWasJustClicked) {
  const std::tuple<const char*, std::optional<int>, const char*> cases[] = {
      {"absent", std::nullopt, "info;"}, {"false", 0, "info;"}, {"true", 1, "param;"}};
  for (const auto& [name, action, ran] : cases) {
    SCOPED_TRACE(name);
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
  f.DoubleClick(1);
  EXPECT_EQ("", f.manager.ran) << "the double click after a toggle only clears the flag";
  f.DoubleClick(1);
  EXPECT_EQ("info;", f.manager.ran);
  f.DoubleClick(2, true);
  EXPECT_EQ(S::Active, f.manager.listGrfFiles.Item(2).state) << "on a check box: two toggles and no command";
}

}  // namespace
}  // namespace kestrav
