#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using S = GrfState;

TEST(CountAllSprites, AddsActiveAndInactiveFilesReportsMissingOnesAndNeverLooksForOffOnes) {
  test::ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("newgrf/a.grf", test::GrfOf(10));
  f.ttd.Write("newgrf/b.grf", test::GrfOf(20));
  f.ttd.Write("newgrf/off.grf", test::GrfOf(40));
  f.ttd.MakeDirectory("newgrf/folder.grf");
  for (const auto& [text, state] : std::vector<test::ListItem>{{"newgrf/first.grf 1 2", S::Active},
                                                               {"newgrf/a.grf 1 2", S::Active},
                                                               {"newgrf\\sub\\second.grf", S::Inactive},
                                                               {"newgrf/b.grf", S::Inactive},
                                                               {"newgrf/off.grf", S::Off},
                                                               {"newgrf/gone.grf", S::Off},  // missing, but off
                                                               {"newgrf/folder.grf", S::Active}}) {
    f.manager.listGrfFiles.Add(text, state);
  }
  for (const char* shown : {"newgrf/first.grf", "newgrf/sub/second.grf", "newgrf/folder.grf", "newgrf/first.grf"}) {
    f.platform.dialogs.Expect(MessageKind::Error, std::string("Cannot find file:\n") + shown);
  }
  f.manager.spritesTotal = 7;
  f.manager.CountAllSprites(true, 0);
  f.ExpectTotals(30, 20);
  // A click on a missing file reports it again and leaves the totals.
  f.manager.listGrfFiles.Toggle(0);
  f.manager.CountAllSprites(false, 0);
  f.ExpectTotals(30, 20);
}

TEST(CountAllSprites, WithoutTtdDirectoryThePathsStartEmptyAndNoSettingsKeyIsMade) {
  test::ManagerFixture f;
  f.manager.listGrfFiles.Add("newgrf/nowhere-kestrav.grf", S::Active);
  f.platform.dialogs.Expect(MessageKind::Error, "Cannot find file:\nnewgrf/nowhere-kestrav.grf");
  f.manager.CountAllSprites(true, 0);
  f.ExpectTotals(0, 0);
  EXPECT_FALSE(f.platform.registry.KeyExists(kSettingsKeyPath));
}

}  // namespace
}  // namespace kestrav
