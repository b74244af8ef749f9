#include <gtest/gtest.h>

#include "support/grf_builder.h"
#include "support/watched_file_system.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

// A TTD directory whose GRF files hold known numbers of normal sprites.
class SpriteTotals : public ::testing::Test {
 protected:
  SpriteTotals() { test::PutString(platform.registry, setting::kTtdPath, ttd.path()); }

  // A GRF file of normal sprites (and some pseudo sprites, which never count).
  void Grf(const std::string& relative, int normal) {
    test::SampleGrfOptions options;
    options.normalSprites = normal;
    options.pseudoSprites = normal / 3;
    options.maxSide = 16;
    test::WriteSampleGrf(ttd.Join(relative), options);
  }
  void Add(const std::string& text, GrfState state) { manager.listGrfFiles.Add(text, state); }
  void ExpectMissing(const std::string& shownPath) {
    platform.dialogs.Expect(MessageKind::Error, "Cannot find file:\n" + shownPath);
  }
  void ExpectTotals(int total, int inactive, const std::string& when) {
    EXPECT_EQ(total, manager.spritesTotal) << when;
    EXPECT_EQ(inactive, manager.spritesInactive) << when;
    EXPECT_EQ("Total Sprites: " + std::to_string(total), view.status[0]) << when;
    EXPECT_EQ("Active Sprites: " + std::to_string(total - inactive), view.status[1]) << when;
  }
  // A click on the check box: the list takes its next state, then the totals follow.
  void Click(int index) {
    manager.listGrfFiles.Select(index);
    manager.listGrfFiles.Toggle(index);
    manager.CountAllSprites(false, index);
  }

  test::TempDir ttd;
  test::TestPlatform platform;
  test::WatchedFileSystem files{*platform.system.files};
  Platform ports = test::WithFiles(platform.ports, files);
  test::RecordingView view;
  TformManager manager{ports, view};
};

TEST_F(SpriteTotals, FullRecountAddsActiveAndInactiveFilesAndNeverOpensOffOnes) {
  manager.spritesTotal = 7;
  manager.CountAllSprites(true, 0);
  ExpectTotals(0, 0, "empty list");

  Grf("newgrf/a.grf", 10);
  Grf("newgrf/b.grf", 20);
  Grf("newgrf/off.grf", 40);
  Add("newgrf/a.grf 1 2", GrfState::Active);
  Add("newgrf/b.grf", GrfState::Inactive);
  Add("newgrf/off.grf", GrfState::Off);
  Add("newgrf/gone.grf", GrfState::Off);  // missing, but off: no message
  manager.CountAllSprites(true, -1);
  ExpectTotals(30, 20, "first load");
  const std::vector<std::string> counted{ttd.Join("newgrf/a.grf"), ttd.Join("newgrf/b.grf")};
  EXPECT_EQ(counted, files.looked);
  EXPECT_EQ(counted, files.opened);
  manager.CountAllSprites(true, -1);
  ExpectTotals(30, 20, "second load of the same list");
}

TEST_F(SpriteTotals, MissingFilesAreReportedInListOrderAndAddNothing) {
  Grf("newgrf/here.grf", 12);
  ttd.MakeDirectory("newgrf/folder.grf");
  Add("newgrf/first.grf 1 2", GrfState::Active);
  Add("newgrf/here.grf", GrfState::Active);
  Add("newgrf\\sub\\second.grf", GrfState::Inactive);
  Add("newgrf/folder.grf", GrfState::Active);  // a directory is no file
  ExpectMissing("newgrf/first.grf");
  ExpectMissing("newgrf/sub/second.grf");
  ExpectMissing("newgrf/folder.grf");
  manager.CountAllSprites(true, 0);
  ExpectTotals(12, 0, "missing files");
}

TEST_F(SpriteTotals, EachClickMovesTheTotalsAndAFullCycleReturnsThem) {
  Grf("newgrf/a.grf", 30);
  Grf("newgrf/b.grf", 7);
  Add("newgrf/a.grf", GrfState::Off);
  Add("newgrf/b.grf 4", GrfState::Active);
  Add("newgrf/gone.grf 3", GrfState::Off);
  manager.CountAllSprites(true, -1);
  ExpectTotals(7, 0, "start");
  const std::pair<int, std::pair<int, int>> clicks[] = {
      {0, {37, 30}},  // Off -> Inactive
      {0, {37, 0}},   // Inactive -> Active
      {0, {7, 0}},    // Active -> Off
      {1, {0, 0}},    // Active -> Off
      {1, {7, 7}},    // Off -> Inactive
  };
  for (const auto& [index, totals] : clicks) {
    Click(index);
    ExpectTotals(totals.first, totals.second, "click on " + std::to_string(index));
  }
  manager.listGrfFiles.inactiveAvailable = false;
  Click(0);  // Off -> Active
  ExpectTotals(37, 7, "Off -> Active");
  manager.CountAllSprites(true, -1);
  ExpectTotals(37, 7, "a full recount agrees");
  // A click on a missing file reports it and keeps the totals.
  ExpectMissing("newgrf/gone.grf");
  Click(2);
  ExpectTotals(37, 7, "missing file clicked");
}

TEST(SpriteTotalsWithoutTtdDirectory, ThePathsStartEmptyAndNoSettingsKeyIsMade) {
  test::TestPlatform bare;
  test::RecordingView view;
  TformManager manager(bare.ports, view);
  manager.listGrfFiles.Add("newgrf/nowhere-kestrav.grf", GrfState::Active);
  bare.dialogs.Expect(MessageKind::Error, "Cannot find file:\nnewgrf/nowhere-kestrav.grf");
  manager.CountAllSprites(true, 0);
  EXPECT_EQ(0, manager.spritesTotal);
  EXPECT_EQ("Total Sprites: 0", view.status[0]);
  EXPECT_FALSE(bare.registry.KeyExists(kSettingsKeyPath));
}

}  // namespace
}  // namespace kestrav
