// The markers of the list's rows through the controller: which findings colour an item, and
// that the markers follow toggles, drops, parameters, installs and deletes.
#include <gtest/gtest.h>

#include <functional>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using S = GrfState;

std::string WithId(const std::string& id) {
  return test::GrfBuilder().Pseudo(std::string("\x02\0\0\0", 4)).Action8(7, id, "set", "").Stored(1).Terminator().bytes();
}

// Each item's marker: "-" none, "A" amber, "R" red.
std::string Colours(const std::vector<ItemMarker>& markers) {
  std::string colours;
  for (const ItemMarker& marker : markers) colours += "-AR"[static_cast<int>(marker.colour)];
  return colours;
}

TEST(Markers, RedForWhatThePatchRefusesAmberForSilentChangesAndFollowEveryChange) {
  for (const char* code : {"missing", "not-a-grf", "no-action8", "grf-version", "truncated", "sprite-count",
                           "action8-rule"}) {
    EXPECT_EQ(MarkerColour::Red, MarkerColourOf(code)) << code;
  }
  for (const char* code : {"overrides", "may-override", "deactivates", "load-order", "duplicate-id", "param-range",
                           "a-code-yet-unknown"}) {
    EXPECT_EQ(MarkerColour::Amber, MarkerColourOf(code)) << code;
  }

  using Change = std::function<void(test::ManagerFixture&)>;
  const auto toggle = [](int index) {
    return [index](test::ManagerFixture& f) {
      f.manager.listGrfFiles.Select(index);
      f.manager.ListSpaceKey();
    };
  };
  const auto drop = [](int from, int to) {
    return [from, to](test::ManagerFixture& f) {
      f.manager.dragIndex = from;
      f.manager.listGrfFilesDragDrop(&f.manager.listGrfFiles, 60, to * 13 + 6);
    };
  };
  const struct {
    const char* name;
    Change change;
    const char* colours;  // after the change, in list order
    const char* listed;   // the list after the change, when it changed
  } cases[] = {
      // a and twin share a GRF ID, bare has no Action 8 record and is Off.
      {"loaded", [](test::ManagerFixture&) {}, "-A-", nullptr},
      {"an Off file toggled on is read", toggle(2), "-AR", nullptr},
      {"the second of a pair toggled off", toggle(1), "---", "a.grf A, twin.grf O, bare.grf O"},
      {"a drop makes the other of the pair the later", drop(1, 0), "-A-", "twin.grf A, a.grf A, bare.grf O"},
      {"new parameters keep the marker", [](test::ManagerFixture& f) {
         f.manager.listGrfFiles.Select(1);
         f.platform.dialogs.ExpectInput("1 2");
         f.manager.TformManager::butnParameterClick();
       }, "-A-", "a.grf A, twin.grf 1 2 A, bare.grf O"},
      {"an installed file is Off", [](test::ManagerFixture& f) {
         f.platform.dialogs.ExpectFileDialog(f.ttd.Write("downloads/bare.grf", "x"));
         f.platform.dialogs.Expect(MessageKind::Information,
                                   "File already exists.\nYou are trying to install the exacly the same file.\nContinue?",
                                   MessageButtons::YesNo, Answer::No);
         f.platform.dialogs.ExpectFileDialog(f.ttd.Write("downloads/new.grf", WithId("NNNN")));
         f.platform.dialogs.Expect(MessageKind::Confirmation, "File Installed.\nDo you want to delete source file?",
                                   MessageButtons::YesNo, Answer::No);
         f.platform.dialogs.Expect(MessageKind::Information, "File Installed.\nSource file not deleted.");
         f.manager.butnInstallGrfClick();
         f.manager.butnInstallGrfClick();
       }, "-A--", "a.grf A, twin.grf A, bare.grf O, new.grf O"},
      {"deleting the first of a pair", [](test::ManagerFixture& f) {
         f.manager.listGrfFiles.Select(0);
         f.platform.dialogs.Expect(MessageKind::Warning,
                                   "Do you want to delete newgrf\\a.grf file?\n\nWarning: Deleting may not work with "
                                   "Windows XP.",
                                   MessageButtons::YesNo, Answer::Yes);
         f.platform.dialogs.Expect(MessageKind::Information, "File:\n" + f.ttd.Join("newgrf\\a.grf") + "\ndeleted.");
         f.manager.butnDeleteClick();
       }, "--", "twin.grf A, bare.grf O"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ManagerFixture f;
    f.UseTtdDirectory();
    f.ttd.Write("newgrf/a.grf", WithId("ABCD"));
    f.ttd.Write("newgrf/twin.grf", WithId("ABCD"));
    f.ttd.Write("newgrf/bare.grf", test::GrfOf(1));
    f.Add({{"newgrf/a.grf", S::Active}, {"newgrf/twin.grf", S::Active}, {"newgrf/bare.grf", S::Off}});
    f.manager.listGrfFiles.inactiveAvailable = false;
    f.manager.CountAllSprites(true, 0);
    c.change(f);
    EXPECT_EQ(c.colours, Colours(f.view.markers));
    EXPECT_EQ(f.manager.Markers(), f.view.markers);
    if (c.listed) EXPECT_EQ(c.listed, f.Listed());
  }
}

// The tip holds the item's findings in the words kestrav-cli check prints.
TEST(Markers, TheTipIsTheItemsFindingsOneLineEach) {
  test::ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("newgrf/a.grf", WithId("ABCD"));
  f.ttd.Write("newgrf/b.grf", test::GrfBuilder().Pseudo(std::string("\x01\0\0\0", 4)).Action8(7, "ABCD", "", "").bytes());
  f.Add({{"newgrf/a.grf", S::Active}, {"newgrf/b.grf", S::Inactive}});
  f.manager.CountAllSprites(true, 0);
  std::string expected;
  for (const ListFinding& finding : f.manager.ItemFindings()) {
    EXPECT_EQ(1, finding.entry);
    expected += (expected.empty() ? "" : "\n") + finding.code + ": " + finding.text;
  }
  EXPECT_EQ("-R", Colours(f.view.markers));
  EXPECT_EQ(expected, f.view.markers.at(1).tip);
  EXPECT_NE(std::string::npos, expected.find("truncated: ")) << expected;
  EXPECT_NE(std::string::npos, expected.find("\nduplicate-id: ")) << expected;
}

}  // namespace
}  // namespace kestrav
