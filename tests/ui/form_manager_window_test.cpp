// The main window's controller as its window drives it: geometry, the close question and
// the check list's mouse and key behaviour, with a recording view.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using S = GrfState;
using namespace std::string_literals;

// A window on a TTD directory of three GRF files of 1, 2 and 4 normal sprites, all Off.
struct WindowFixture : test::ManagerFixture {
  WindowFixture() : ManagerFixture({"GameGFX.exe"}) {
    Add({{"newgrf/a.grf", S::Off}, {"newgrf/b.grf", S::Off}, {"newgrf/c.grf", S::Off}});
    for (int i = 0; i < 3; ++i) ttd.Write(manager.listGrfFiles.Item(i).text, test::GrfOf(1 << i));
  }
  // A press on row from's text (or its check box) and a release (dx, dy) away from there.
  void Click(int from, bool inBox = false, bool doubleClick = false, int dx = 0, int dy = 0, bool overList = true) {
    const int x = inBox ? 5 : 100, y = from * 13 + 6;
    manager.ListButtonDown(MouseButton::Left, x, y, doubleClick);
    manager.ListMouseMove(x + dx, y + dy, true);
    manager.ListLeftButtonUp(x + dx, y + dy, overList);
  }
  bool SelectionCommands() const {
    return view.IsCommandEnabled(Command::Delete) && view.IsCommandEnabled(Command::FileInfo) &&
           view.IsCommandEnabled(Command::Parameter);
  }
};

TEST(FormCreate, PlacesTheWindowFromTheSettingsLoadsTheListAndReportsValuesOfTheWrongType) {
  test::ManagerFixture f({"newgrf/a.grf", "newgrfw.cfg"}), wrong;
  f.Put("Left", 900);
  f.manager.FormCreate();
  EXPECT_EQ((WindowBounds{900, 184, 320, 400}), f.view.bounds);
  EXPECT_EQ((std::map<int, int>{{0, 150}, {1, 150}}), f.view.panelWidth);
  EXPECT_EQ("a.grf O", f.Listed());
  f.manager.FormResize(641);
  EXPECT_EQ(310, f.view.panelWidth[0]) << "half the width less 20";
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
    std::optional<CloseAction> action;
    EXPECT_EQ(fails, test::ErrorOf([&] { action = f.manager.FormClose(); }) != "no error");
    auto stored = f.Settings();
    EXPECT_EQ(std::tuple(ended, saved, answer.has_value() && !saved, !fails),
              std::tuple(f.view.ended, f.ttd.Exists("newgrfw.cfg") && !fails, f.manager.fileChanged,
                         stored.ValueExists("Top")))
        << (answer ? static_cast<int>(*answer) : -1);
    if (fails) continue;
    EXPECT_EQ(std::tuple(34, 12, 567, 890, std::optional(answer ? CloseAction::None : CloseAction::Free)),
              std::tuple(stored.ReadInteger("Top"), stored.ReadInteger("Left"), stored.ReadInteger("Width"),
                         stored.ReadInteger("Height"), action));
  }
}

TEST(CheckList, BoxesCycleTheOfferedStatesWithTheTotalsAndTheKeysAndRightButtonSelect) {
  WindowFixture cycle;
  cycle.manager.listGrfFiles.SetState(2, S::Active);
  cycle.manager.CountAllSprites(true, -1);
  // Whether the inactive state is offered, then b's state, the total and the inactive sprites
  // after a click on b, with c active.
  for (const auto& [offered, state, total, inactive] :
       {std::tuple{true, S::Inactive, 6, 2}, {true, S::Active, 6, 0}, {true, S::Off, 4, 0}, {false, S::Active, 6, 0},
        {false, S::Off, 4, 0}}) {
    cycle.manager.listGrfFiles.inactiveAvailable = offered;
    cycle.Click(1, true);
    EXPECT_EQ(state, cycle.manager.listGrfFiles.Item(1).state);
    cycle.ExpectTotals(total, inactive);
  }
  EXPECT_EQ(std::tuple(true, true, 1), std::tuple(cycle.manager.fileChanged, cycle.SelectionCommands(),
                                                  cycle.manager.listGrfFiles.Selected()));
  WindowFixture f;
  f.manager.ListSpaceKey();  // no selection: nothing
  f.view.SetCommandEnabled(Command::Delete, false);
  f.manager.ListButtonDown(MouseButton::Right, 100, 2 * 13 + 3, false);
  EXPECT_EQ(std::pair(2, true), std::pair(f.manager.listGrfFiles.Selected(), f.SelectionCommands()));
  f.manager.ListButtonDown(MouseButton::Right, 100, 250, false);  // below the last item
  EXPECT_EQ(std::pair(2, false), std::pair(f.manager.listGrfFiles.Selected(), f.manager.fileChanged));
  f.manager.ListKeyboardSelect(1);
  f.manager.ListSpaceKey();
  EXPECT_EQ("a.grf O, b.grf I, c.grf O", f.Listed());
  f.ExpectTotals(2, 2);
  // A disabled list takes neither.
  WindowFixture off;
  off.manager.listGrfFiles.Select(0);
  off.manager.listGrfFiles.enabled = false;
  off.Click(1, true);
  off.manager.ListKeyboardSelect(2);
  off.manager.ListSpaceKey();
  EXPECT_EQ(std::tuple(0, "a.grf O, b.grf O, c.grf O"s, false),
            std::tuple(off.manager.listGrfFiles.Selected(), off.Listed(), off.manager.fileChanged));
}

TEST(Dragging, MovesTheItemOnlyPastTheThreshold) {
  const std::tuple<const char*, int, int, int, bool, bool, const char*> cases[] = {
      // what, from, dx, dy, over the list, in the box, the order after
      {"4 pixels both ways is not a drag", 0, 4, 4, true, false, "a.grf O, b.grf O, c.grf O"},
      {"5 pixels down starts it; dropped on its own row", 0, 0, 5, true, false, "a.grf O, b.grf O, c.grf O"},
      {"onto the last item", 0, 0, 26, true, false, "b.grf O, c.grf O, a.grf O"},
      {"on the list's frame, outside its client area: to the end", 1, 400, 0, true, false, "a.grf O, c.grf O, b.grf O"},
      {"released outside the list: no drop", 0, 0, 26, false, false, "a.grf O, b.grf O, c.grf O"},
      {"a toggle cancels the drag", 0, 0, 34, true, true, "a.grf I, b.grf O, c.grf O"},
  };
  for (const auto& [what, from, dx, dy, overList, inBox, order] : cases) {
    WindowFixture f;
    f.Click(from, inBox, false, dx, dy, overList);
    EXPECT_EQ(std::tuple(std::string(order), inBox || (std::max(std::abs(dx), std::abs(dy)) >= 5 && overList), false),
              std::tuple(f.Listed(), f.manager.fileChanged, f.view.dragging))
        << what;
  }
}

TEST(DoubleClick, RunsTheChosenCommandUnlessACheckBoxWasJustClicked) {
  for (const auto& [action, ran] : {std::pair{-1, "info;"}, {1, "param;"}}) {
    WindowFixture f;
    if (action >= 0) f.Put(setting::kDoubleClickAction, action);
    f.Click(1);
    f.Click(1, false, true, 0, 26);
    // The flag is cleared by the mouse-down that followed, which prepared no drag.
    EXPECT_EQ(std::tuple(std::string(ran), false, "a.grf O, b.grf O, c.grf O"s),
              std::tuple(f.manager.ran, f.manager.dblClickHandled, f.Listed()));
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
  // The double click after a toggle only clears the flag; on a check box: two toggles.
  EXPECT_EQ(std::pair("info;"s, S::Active), std::pair(f.manager.ran, f.manager.listGrfFiles.Item(2).state));
}

}  // namespace
}  // namespace kestrav
