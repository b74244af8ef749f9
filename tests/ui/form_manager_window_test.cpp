// The main window's controller as its window drives it: geometry, the close question and
// the check list's mouse and key behaviour, with a recording view.
#include <gtest/gtest.h>

#include "platform/operation_error.h"
#include "support/grf_builder.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::ListItem;
using test::PutDword;
using test::PutString;
using S = GrfState;

const char* const kCloseQuestion =
    "File changed.\nDo you want to save it?\nPress 'Yes' to save and exit,\n'No' to exit without saving,\n"
    "or 'Cancel' to not exit.";

// Sees which of the two double-click commands ran.
class WatchedManager : public TformManager {
 public:
  using TformManager::TformManager;
  void butnFileInfoClick() override { ran += "info;"; }
  void butnParameterClick() override { ran += "param;"; }
  std::string ran;
};

// A window on a TTD directory of three GRF files of 1, 2 and 4 normal sprites, all Off.
struct WindowFixture : test::ManagerFixture {
  WindowFixture() {
    UseTtdDirectory();
    for (const auto& [name, sprites] : {std::pair{"a.grf", 1}, {"b.grf", 2}, {"c.grf", 4}}) {
      test::GrfBuilder grf;
      for (int i = 0; i < sprites; ++i) grf.Stored(1);
      ttd.Write("newgrf/" + std::string(name), grf.Terminator().bytes());
      watched.listGrfFiles.Add("newgrf/" + std::string(name), S::Off);
    }
    view.list = &watched.listGrfFiles;
  }
  // Row index's centre, on its text or in its check box.
  void Press(int index, bool inBox = false, bool doubleClick = false) {
    watched.ListButtonDown(MouseButton::Left, inBox ? 5 : 100, index * 13 + 6, doubleClick);
  }
  void ClickBox(int index) {
    Press(index, true);
    watched.ListLeftButtonUp(5, index * 13 + 6, true);
  }
  void DoubleClick(int index, bool inBox = false) {
    Press(index, inBox);
    watched.ListLeftButtonUp(inBox ? 5 : 100, index * 13 + 6, true);
    Press(index, inBox, true);
    watched.ListLeftButtonUp(inBox ? 5 : 100, index * 13 + 6, true);
  }
  // A press on item from, a move by (dx, dy), a release there.
  void Drag(int from, int dx, int dy, bool overList = true) {
    Press(from);
    watched.ListMouseMove(100 + dx, from * 13 + 6 + dy, true);
    watched.ListLeftButtonUp(100 + dx, from * 13 + 6 + dy, overList);
  }
  std::vector<std::string> Order() const {
    std::vector<std::string> names;
    for (const auto& item : watched.listGrfFiles.Items()) names.push_back(item.text.substr(7, 1));
    return names;
  }
  bool SelectionCommands() const {
    return view.IsCommandEnabled(Command::Delete) && view.IsCommandEnabled(Command::FileInfo) &&
           view.IsCommandEnabled(Command::Parameter);
  }

  WatchedManager watched{platform.ports, view};
};

std::optional<RegistryValue> Stored(MemoryRegistry& registry, const char* name) {
  return registry.Get(kSettingsKeyPath, name);
}

TEST(FormCreate, PlacesTheWindowFromTheSettingsWithinTheScreen) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, std::uint32_t>> stored;
    WindowBounds expected;
  };
  const Case cases[] = {
      {"first start, centred on 1024 x 768", {}, {352, 184, 320, 400}},
      {"too narrow and too low: the minimums", {{"Width", 200}, {"Height", 100}}, {352, 234, 320, 300}},
      {"off the top and left edges", {{"Top", static_cast<std::uint32_t>(-50)}, {"Left", 0xFFFFFFF0u}}, {0, 0, 320, 400}},
      {"larger than the work area", {{"Width", 2000}, {"Height", 2000}, {"Top", 10}, {"Left", 900}}, {900, 10, 1024, 738}},
  };
  for (const auto& c : cases) {
    test::ManagerFixture fixture;
    fixture.UseTtdDirectory();
    fixture.ttd.Write("newgrf/a.grf", test::kNoSprites);
    fixture.ttd.Write("newgrfw.cfg", "");
    for (const auto& [name, value] : c.stored) PutDword(fixture.platform.registry, name, value);
    fixture.manager.FormCreate();
    EXPECT_EQ(c.expected, fixture.view.bounds) << c.name;
    EXPECT_EQ(150, fixture.view.panelWidth[0]) << c.name;
    EXPECT_EQ(150, fixture.view.panelWidth[1]) << c.name;
    EXPECT_EQ((std::vector<ListItem>{{"newgrf/a.grf", S::Off}}), fixture.Items()) << c.name << ": the list is loaded";
  }
}

TEST(FormCreate, AnUnreadableValueIsReportedAndTheWindowStillOpens) {
  test::ManagerFixture fixture;
  PutString(fixture.platform.registry, "Width", "w");
  PutDword(fixture.platform.registry, setting::kTtdPath, 7);
  fixture.platform.dialogs.Expect(MessageKind::Error, "Invalid data type for 'Width'");
  fixture.platform.dialogs.Expect(MessageKind::Error, "Invalid data type for 'TTD Path'");
  fixture.manager.FormCreate();
  EXPECT_EQ((WindowBounds{352, 184, 320, 400}), fixture.view.bounds);
}

TEST(FormResize, FirstPanelIsHalfTheWidthLessTwenty) {
  test::ManagerFixture fixture;
  for (const auto& [width, panel] : {std::pair{320, 150}, {641, 310}, {1000, 490}}) {
    fixture.manager.FormResize(width);
    EXPECT_EQ(panel, fixture.view.panelWidth[0]) << width;
  }
}

TEST(FormClose, AsksWhileChangedAndStoresTheGeometryEveryTime) {
  struct Case {
    const char* name;
    bool changed;
    std::optional<Answer> answer;  // nothing: no question
    CloseAction action;
    bool ended;
    bool written;
  };
  const Case cases[] = {
      {"unchanged: closes without a question", false, std::nullopt, CloseAction::Free, false, false},
      {"Yes: saves, ends", true, Answer::Yes, CloseAction::None, true, true},
      {"No: ends without saving", true, Answer::No, CloseAction::None, true, false},
      {"Cancel: the window stays", true, Answer::Cancel, CloseAction::None, false, false},
  };
  for (const auto& c : cases) {
    WindowFixture fixture;
    fixture.ttd.Write("GameGFX.exe", "");
    fixture.view.bounds = {12, 34, 567, 890};
    fixture.watched.fileChanged = c.changed;
    if (c.answer) {
      fixture.platform.dialogs.Expect(MessageKind::Confirmation, kCloseQuestion, MessageButtons::YesNoCancel, *c.answer);
    }
    if (c.written) fixture.platform.dialogs.Expect(MessageKind::Information, "'newgrfw.cfg' saved");
    EXPECT_EQ(c.action, fixture.watched.FormClose()) << c.name;
    EXPECT_EQ(c.ended, fixture.view.ended) << c.name;
    EXPECT_EQ(c.written, fixture.ttd.Exists("newgrfw.cfg")) << c.name;
    auto& registry = fixture.platform.registry;
    for (const auto& [name, value] : {std::pair{"Top", 34}, {"Left", 12}, {"Width", 567}, {"Height", 890}}) {
      const auto stored = Stored(registry, name);
      ASSERT_TRUE(stored) << c.name << " " << name;
      EXPECT_EQ(kRegDword, stored->type);
      EXPECT_EQ(value, static_cast<unsigned char>(stored->data[0]) + 256 * static_cast<unsigned char>(stored->data[1]))
          << c.name << " " << name;
    }
  }
}

TEST(FormClose, AFailedWriteKeepsTheWindowAndStoresNothing) {
  WindowFixture fixture;
  fixture.ttd.Write("GameGFX.exe", "");
  fixture.ttd.MakeDirectory("newgrfw.cfg");  // cannot be replaced by a file
  PutDword(fixture.platform.registry, setting::kNoOverwriteConfirmation, 1);
  fixture.watched.fileChanged = true;
  fixture.platform.dialogs.Expect(MessageKind::Confirmation, kCloseQuestion, MessageButtons::YesNoCancel, Answer::Yes);
  EXPECT_THROW(fixture.watched.FormClose(), OperationError);
  EXPECT_FALSE(fixture.view.ended);
  EXPECT_FALSE(Stored(fixture.platform.registry, "Top"));
}

TEST(Commands, QuitRequestsTheCloseAndDisabledCommandsDoNotRun) {
  WindowFixture fixture;
  fixture.watched.RunCommand(Command::Quit);
  EXPECT_EQ(1, fixture.view.closeRequests);
  fixture.view.SetCommandEnabled(Command::FileInfo, false);
  fixture.watched.RunCommand(Command::FileInfo);
  fixture.view.SetCommandEnabled(Command::Parameter, true);
  fixture.watched.RunCommand(Command::Parameter);
  EXPECT_EQ("param;", fixture.watched.ran);
}

TEST(CheckBox, CyclesThroughTheOfferedStatesWithTheTotalsFollowing) {
  struct Case {
    bool inactiveAvailable;
    std::vector<std::tuple<S, int, int>> steps;  // state, total, active after each click
  };
  const Case cases[] = {
      {true, {{S::Inactive, 2, 0}, {S::Active, 2, 2}, {S::Off, 0, 0}}},
      {false, {{S::Active, 2, 2}, {S::Off, 0, 0}}},
  };
  for (const auto& c : cases) {
    WindowFixture fixture;
    fixture.watched.listGrfFiles.inactiveAvailable = c.inactiveAvailable;
    for (const auto& [state, total, active] : c.steps) {
      fixture.ClickBox(1);
      EXPECT_EQ(state, fixture.watched.listGrfFiles.Item(1).state) << c.inactiveAvailable;
      EXPECT_EQ("Total Sprites: " + std::to_string(total), fixture.view.status[0]);
      EXPECT_EQ("Active Sprites: " + std::to_string(active), fixture.view.status[1]);
    }
    EXPECT_TRUE(fixture.watched.fileChanged);
    EXPECT_TRUE(fixture.SelectionCommands());
    EXPECT_EQ(1, fixture.watched.listGrfFiles.Selected()) << "the press selected the toggled item";
  }
}

TEST(CheckBox, SpaceTogglesTheSelectedItemLikeAClick) {
  WindowFixture fixture;
  fixture.watched.ListSpaceKey();
  EXPECT_FALSE(fixture.watched.fileChanged) << "nothing selected";
  fixture.watched.ListKeyboardSelect(2);
  EXPECT_TRUE(fixture.SelectionCommands());
  fixture.watched.ListSpaceKey();
  EXPECT_EQ(S::Inactive, fixture.watched.listGrfFiles.Item(2).state);
  EXPECT_EQ("Total Sprites: 4", fixture.view.status[0]);
  EXPECT_TRUE(fixture.watched.fileChanged);
  EXPECT_TRUE(fixture.watched.checkClicked);
}

TEST(Selection, TextClicksAndRightClicksSelectWithoutChangingTheList) {
  WindowFixture fixture;
  fixture.view.SetCommandEnabled(Command::Delete, false);
  fixture.Press(0);
  fixture.watched.ListLeftButtonUp(100, 6, true);
  EXPECT_EQ(0, fixture.watched.listGrfFiles.Selected());
  EXPECT_TRUE(fixture.SelectionCommands());
  fixture.watched.ListButtonDown(MouseButton::Right, 100, 2 * 13 + 3, false);
  EXPECT_EQ(2, fixture.watched.listGrfFiles.Selected());
  fixture.watched.ListButtonDown(MouseButton::Right, 100, 250, false);
  EXPECT_EQ(2, fixture.watched.listGrfFiles.Selected()) << "below the last item";
  EXPECT_TRUE(fixture.SelectionCommands());
  EXPECT_FALSE(fixture.watched.fileChanged);
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), fixture.Order());
  EXPECT_EQ("", fixture.watched.ran);
}

TEST(Dragging, MovesTheItemOnlyPastTheThreshold) {
  struct Case {
    const char* name;
    int from, dx, dy;
    bool overList;
    std::vector<std::string> order;
    bool changed;
  };
  const Case cases[] = {
      {"a plain click", 0, 0, 0, true, {"a", "b", "c"}, false},
      {"4 pixels both ways is not a drag", 0, 4, 4, true, {"a", "b", "c"}, false},
      {"5 pixels down starts it; dropped on its own row", 0, 0, 5, true, {"a", "b", "c"}, true},
      {"down onto the last item", 0, 0, 26, true, {"b", "c", "a"}, true},
      {"up onto the first item", 2, 5, -26, true, {"c", "a", "b"}, true},
      {"below the last item: to the end", 0, 0, 200, true, {"b", "c", "a"}, true},
      {"on the list's frame, outside its client area: to the end", 1, 400, 0, true, {"a", "c", "b"}, true},
      {"released outside the list: no drop", 0, 0, 26, false, {"a", "b", "c"}, false},
  };
  for (const auto& c : cases) {
    WindowFixture fixture;
    fixture.Drag(c.from, c.dx, c.dy, c.overList);
    EXPECT_EQ(c.order, fixture.Order()) << c.name;
    EXPECT_EQ(c.changed, fixture.watched.fileChanged) << c.name;
    EXPECT_FALSE(fixture.view.dragging) << c.name;
    EXPECT_EQ(0, fixture.watched.spritesTotal) << c.name << ": no recount";
  }
}

TEST(Dragging, AToggleCancelsTheDragAndOtherSourcesAreRefused) {
  WindowFixture fixture;
  fixture.Press(0, true);
  fixture.watched.ListMouseMove(5, 40, true);
  fixture.watched.ListLeftButtonUp(5, 40, true);
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), fixture.Order());
  EXPECT_FALSE(fixture.view.dragging);

  const int other = 0;
  EXPECT_FALSE(fixture.watched.listGrfFilesDragOver(&other, 5, 5));
  EXPECT_TRUE(fixture.watched.listGrfFilesDragOver(&fixture.watched.listGrfFiles, 5, 5));
  fixture.watched.dragIndex = 0;
  fixture.watched.listGrfFilesDragDrop(&other, 5, 30);
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), fixture.Order());
}

TEST(DoubleClick, RunsTheChosenCommandUnlessACheckBoxWasJustClicked) {
  struct Case {
    const char* name;
    std::optional<std::uint32_t> action;  // DoubleClickAction
    std::string ran;
  };
  const Case cases[] = {
      {"absent: file information", std::nullopt, "info;"},
      {"false: file information", 0, "info;"},
      {"true: parameters", 1, "param;"},
  };
  for (const auto& c : cases) {
    WindowFixture fixture;
    if (c.action) PutDword(fixture.platform.registry, setting::kDoubleClickAction, *c.action);
    fixture.DoubleClick(1);
    EXPECT_EQ(c.ran, fixture.watched.ran) << c.name;
    EXPECT_FALSE(fixture.watched.dblClickHandled) << c.name << ": cleared by the mouse-down that followed";
    fixture.watched.ListMouseMove(100, 60, true);
    EXPECT_FALSE(fixture.view.dragging) << c.name << ": that mouse-down prepared no drag";
  }

  WindowFixture fixture;
  fixture.ClickBox(0);
  fixture.DoubleClick(1);
  EXPECT_EQ("", fixture.watched.ran) << "the double click after a toggle only clears the flag";
  fixture.DoubleClick(1);
  EXPECT_EQ("info;", fixture.watched.ran);

  fixture.view.SetCommandEnabled(Command::FileInfo, false);
  fixture.watched.listGrfFilesDblClick();
  EXPECT_EQ("info;", fixture.watched.ran) << "a disabled command does not run";
}

TEST(DoubleClick, OnACheckBoxTogglesTwiceAndRunsNothing) {
  WindowFixture fixture;
  fixture.DoubleClick(0, true);
  EXPECT_EQ(S::Active, fixture.watched.listGrfFiles.Item(0).state);
  EXPECT_EQ("", fixture.watched.ran);
  EXPECT_TRUE(fixture.watched.checkClicked);
}

TEST(DisabledList, IgnoresTheMouseAndKeys) {
  WindowFixture fixture;
  fixture.watched.listGrfFiles.enabled = false;
  fixture.ClickBox(0);
  fixture.Drag(0, 0, 26);
  fixture.watched.ListKeyboardSelect(1);
  fixture.watched.ListSpaceKey();
  EXPECT_EQ(-1, fixture.watched.listGrfFiles.Selected());
  EXPECT_EQ(S::Off, fixture.watched.listGrfFiles.Item(0).state);
  EXPECT_FALSE(fixture.watched.fileChanged);
}

}  // namespace
}  // namespace kestrav
