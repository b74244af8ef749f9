// The main window's controller as its window drives it: the load of the list, geometry, the
// close question and the check list's mouse and key behaviour, with a recording view.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using S = GrfState;
using test::ManagerFixture;
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
};

TEST(FormCreate, PlacesTheWindowFromTheSettingsLoadsTheListAndReportsValuesOfTheWrongType) {
  test::ManagerFixture f({"newgrf/a.grf", "newgrfw.cfg"}), wrong;
  f.manager.FormCreate();
  EXPECT_EQ("a.grf O", f.Listed());
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
       {std::tuple{true, S::Inactive, 6, 2}, {true, S::Active, 6, 0}, {true, S::Off, 4, 0}, {false, S::Active, 6, 0}}) {
    cycle.manager.listGrfFiles.inactiveAvailable = offered;
    cycle.Click(1, true);
    EXPECT_EQ(state, cycle.manager.listGrfFiles.Item(1).state);
    cycle.ExpectTotals(total, inactive);
  }
  EXPECT_EQ(std::tuple(true, true, 1),
            std::tuple(cycle.manager.fileChanged, cycle.view.IsCommandEnabled(Command::Delete),
                       cycle.manager.listGrfFiles.Selected()));
  WindowFixture f;
  f.manager.ListSpaceKey();  // no selection: nothing
  f.view.SetCommandEnabled(Command::Delete, false);
  f.manager.ListButtonDown(MouseButton::Right, 100, 2 * 13 + 3, false);
  EXPECT_EQ(std::pair(2, true), std::pair(f.manager.listGrfFiles.Selected(), f.view.IsCommandEnabled(Command::Delete)));
  f.manager.ListKeyboardSelect(1);
  f.manager.ListSpaceKey();
  EXPECT_EQ("a.grf O, b.grf I, c.grf O", f.Listed());
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

TEST(InitializeGrf, FirstStartWelcomesOnceAndStoresTheChosenFolderOrAnEmptyPath) {
  for (const bool chosen : {false, true}) {
    ManagerFixture f;
    const std::string folder = chosen ? f.ttd.path() : "";
    f.platform.dialogs.Expect(MessageKind::Information,
                              "Welcome at Kestrav v2.1\nThis message appears because Kestrav cannot find TTD.\n"
                              "Please select TTD directory now, or later from Settings window.");
    f.platform.dialogs.ExpectBrowse(chosen ? std::optional(folder) : std::nullopt);
    if (chosen) {
      f.platform.dialogs.Expect(MessageKind::Warning, "There are no files in 'newgrf' directory.\nThis directory "
                                                      "will contain installed GRF files in future.");
      f.platform.dialogs.Expect(MessageKind::Warning,
                                "File 'newgrf.cfg' or 'newgrfw.cfg' was not found in your TTD directory.\n"
                                "It will be created when you use Save option (Ctrl+S).");
    }
    f.manager.InitializeGrf();
    EXPECT_EQ(std::tuple("Select Transport Tycoon Deluxe Directory"s, folder, folder, chosen, std::size_t{chosen}),
              std::tuple(f.platform.dialogs.browseTitle, f.Settings().ReadString(setting::kTtdPath),
                         f.manager.dlgBrowseLastDirectory, f.ttd.Exists("newgrf"), f.platform.processes.runs.size()));
  }
}

TEST(InitializeGrf, ReloadListsTheFilesAlphabeticallyUnderTheConfigurationAndKeepsTheChangedFlag) {
  ManagerFixture f;
  f.manager.listGrfFiles.Add("newgrf/old.grf", GrfState::Off);
  // No directory (the empty path a cancelled first start stores, or either mark for none): no welcome, only Quit,
  // Settings, Help and About, and the entries stay, disabled.
  for (const char* path : {"", "0", " "}) {
    f.Put(setting::kTtdPath, path);
    f.manager.InitializeGrf();
    EXPECT_EQ((std::vector<Command>{Command::Quit, Command::Settings, Command::Help, Command::About}),
              f.EnabledCommands());
    EXPECT_EQ(std::tuple(true, false, true, "Total Sprites: 0"s, "old.grf O"s),
              std::tuple(f.view.selectDirectoryShown, f.manager.listGrfFiles.enabled, f.view.listChanges > 0,
                         f.view.status.at(0), f.Listed()));
  }
  f.UseTtdDirectory();
  for (const char* name : {"GameGFX.exe", "newgrf/C.GRF", "newgrf/A.grf", "newgrf/a1.grf"}) f.ttd.Write(name, "");
  f.ttd.Write("newgrf/b.grf", test::GrfOf(2));
  // The DOS edition's file is read only without the Windows one.
  f.ttd.Write("newgrfw.cfg", "newgrf/b.grf !\r\n");
  f.ttd.Write("newgrf.cfg", "newgrf/a1.grf\r\n");
  // The patch is probed before the merge: too old for inactive entries, it makes b active.
  f.platform.processes.onRun = [&](const std::string&) {
    f.ttd.Write("switches.xml", "<switches ID=\"0x01000000\"/>");
    return ProcessOutcome::Exited;
  };
  f.manager.fileChanged = f.manager.quietSave = true;
  f.manager.saveAccepted = false;
  f.manager.InitializeGrf();
  EXPECT_EQ("b.grf A, A.grf O, a1.grf O, C.GRF O", f.Listed());
  f.ExpectTotals(2, 0);
  EXPECT_EQ(std::tuple(false, true, true, false, false, f.ttd.path()),
            std::tuple(f.view.selectDirectoryShown, f.manager.listGrfFiles.enabled, f.manager.fileChanged,
                       f.manager.quietSave, f.manager.saveAccepted, f.platform.processes.runs.at(0).workingDirectory));
}

// A failed load shows what it built; Save is disabled, and the close asks nothing.
TEST(InitializeGrf, AFailedLoadWritesNothingUntilALoadSucceeds) {
  ManagerFixture f({"GameGFX.exe"});
  f.ttd.Write("newgrfw.cfg", "newgrf/a.grf 1\r\n");
  f.ttd.Write("newgrf", "not a directory");
  f.manager.listGrfFiles.Add("newgrf/earlier.grf", GrfState::Active);
  f.manager.fileChanged = true;
  EXPECT_EQ("Cannot create directory " + f.ttd.Join("newgrf"), test::ErrorOf([&] { f.manager.InitializeGrf(); }));
  EXPECT_EQ(std::tuple(""s, true, true, true, false),
            std::tuple(f.Listed(), f.view.listChanges > 0, f.view.status.empty() /* no recount */, f.manager.loadFailed,
                       f.view.IsCommandEnabled(Command::Save)));
  f.manager.butnGRFSaveClick();
  EXPECT_EQ(CloseAction::Free, f.manager.FormClose());
  EXPECT_EQ("newgrf/a.grf 1\r\n", f.ttd.Read("newgrfw.cfg"));

  std::filesystem::remove(std::filesystem::path(f.ttd.path()) / "newgrf");
  f.ttd.Write("newgrf/a.grf", "");
  f.manager.InitializeGrf();
  EXPECT_EQ(std::tuple(false, true, "a.grf 1 A"s),
            std::tuple(f.manager.loadFailed, f.view.IsCommandEnabled(Command::Save), f.Listed()));
}

// Red for what the patch refuses, amber for silent changes, none on Off items; the markers
// follow toggles, drops and new parameters, their tips in the words kestrav-cli check prints.
TEST(Markers, ColourByCodeNoneWhenOffAndFollowEveryChange) {
  for (const auto& [codes, colour] :
       {std::pair{"missing not-a-grf no-action8 grf-version truncated sprite-count action8-rule", MarkerColour::Red},
        {"overrides may-override deactivates load-order duplicate-id param-range a-new-code", MarkerColour::Amber}}) {
    std::istringstream words(codes);
    for (std::string code; words >> code;) EXPECT_EQ(colour, MarkerColourOf(code)) << code;
  }
  WindowFixture f;  // b repeats the GRF ID of a; c, Off, has no Action 8
  for (int i : {0, 1}) {
    f.ttd.Write(f.manager.listGrfFiles.Item(i).text,
                test::GrfBuilder().Pseudo({"\x02\0\0\0", 4}).Action8(7, "ABCD", "", "").Stored(1).Terminator().bytes());
    f.manager.listGrfFiles.SetState(i, S::Active);
  }
  f.manager.listGrfFiles.inactiveAvailable = false;
  f.manager.CountAllSprites(true, 0);
  const std::tuple<const char*, std::function<void()>, const char*> steps[] = {
      {"loaded", [] {}, "-A-"},
      {"c toggled on is read", [&] { f.Click(2, true); }, "-AR"},
      {"c dropped on top: the analyses move with the items", [&] { f.Click(2, false, false, 0, -26); }, "R-A"},
      {"new parameters for c", [&] { f.platform.dialogs.ExpectInput("1"); f.manager.TformManager::butnParameterClick(); },
       "R-A"},
      {"b toggled off", [&] { f.Click(2, true); }, "R--"},
  };
  for (const auto& [step, change, colours] : steps) {
    change();
    std::string shown;
    for (const ItemMarker& marker : f.view.markers) shown += "-AR"[static_cast<int>(marker.colour)];
    EXPECT_EQ(colours, shown) << step;
    for (const ListFinding& finding : f.manager.ItemFindings()) {
      EXPECT_NE(std::string::npos, f.view.markers.at(finding.entry).tip.find(finding.code + ": " + finding.text));
    }
  }
}

}  // namespace
}  // namespace kestrav
