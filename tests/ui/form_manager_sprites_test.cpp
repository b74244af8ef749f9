#include <gtest/gtest.h>

#include "environment/settings_store.h"
#include "support/grf_builder.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

// The real file system, with a record of every file opened.
class WatchedFiles : public FileSystem {
 public:
  explicit WatchedFiles(FileSystem& files) : files_(files) {}
  bool FileExists(const std::string& path) override {
    looked.push_back(path);
    return files_.FileExists(path);
  }
  bool DirectoryExists(const std::string& path) override { return files_.DirectoryExists(path); }
  std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) override {
    return files_.ListFiles(dir, pattern);
  }
  std::optional<DosDateTime> LastWriteTime(const std::string& path) override { return files_.LastWriteTime(path); }
  void CreateDirectories(const std::string& dir) override { files_.CreateDirectories(dir); }
  std::unique_ptr<InputFile> OpenForRead(const std::string& path) override {
    opened.push_back(path);
    return files_.OpenForRead(path);
  }
  void WriteWholeFile(const std::string& path, const std::string& content) override {
    files_.WriteWholeFile(path, content);
  }
  bool CopyFileOver(const std::string& source, const std::string& target) override {
    return files_.CopyFileOver(source, target);
  }
  bool RemoveFile(const std::string& path) override { return files_.RemoveFile(path); }

  std::vector<std::string> looked, opened;

 private:
  FileSystem& files_;
};

// A TTD directory whose GRF files hold known numbers of normal sprites.
class SpriteTotals : public ::testing::Test {
 protected:
  SpriteTotals() {
    SettingsStore settings(platform.registry);
    settings.Open(true);
    settings.WriteString(setting::kTtdPath, ttd.path());
  }

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
  WatchedFiles files{*platform.system.files};
  Platform ports{files, platform.registry, platform.dialogs, platform.processes, *platform.system.xml,
                 platform.screen, *platform.system.locale};
  test::RecordingView view;
  TformManager manager{ports, view};
};

TEST_F(SpriteTotals, EmptyListShowsZeroInBothPanels) {
  manager.spritesTotal = 7;
  manager.CountAllSprites(true, 0);
  ExpectTotals(0, 0, "empty list");
}

TEST_F(SpriteTotals, FullRecountAddsActiveAndInactiveFilesAndNeverOpensOffOnes) {
  Grf("newgrf/a.grf", 10);
  Grf("newgrf/b.grf", 20);
  Grf("newgrf/off.grf", 40);
  Add("newgrf/a.grf", GrfState::Active);
  Add("newgrf/b.grf", GrfState::Inactive);
  Add("newgrf/off.grf", GrfState::Off);
  Add("newgrf/gone.grf", GrfState::Off);  // missing, but off: no message
  manager.CountAllSprites(true, -1);
  ExpectTotals(30, 20, "first load");
  const std::vector<std::string> counted{ttd.Join("newgrf/a.grf"), ttd.Join("newgrf/b.grf")};
  EXPECT_EQ(counted, files.looked);
  EXPECT_EQ(counted, files.opened);

  // A second load of the same list gives the same totals.
  manager.CountAllSprites(true, -1);
  ExpectTotals(30, 20, "second load");
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
  EXPECT_TRUE(platform.dialogs.Done());
}

TEST_F(SpriteTotals, EntryWithParametersCountsItsFile) {
  Grf("newgrf/a.grf", 9);
  Add("newgrf/a.grf 1 2", GrfState::Active);
  manager.CountAllSprites(true, 0);
  ExpectTotals(9, 0, "parameters");
  EXPECT_EQ(std::vector<std::string>{ttd.Join("newgrf/a.grf")}, files.opened);
}

TEST_F(SpriteTotals, OnlyAnInactiveFileCountsInTheFirstPanelAlone) {
  Grf("newgrf/big.grf", 500);
  Add("newgrf/big.grf", GrfState::Inactive);
  Add("newgrf/other.grf", GrfState::Off);
  manager.CountAllSprites(true, 0);
  ExpectTotals(500, 500, "inactive only");
  EXPECT_EQ("Total Sprites: 500", view.status[0]);
  EXPECT_EQ("Active Sprites: 0", view.status[1]);
}

TEST_F(SpriteTotals, EachClickMovesTheTotalsAndAFullCycleReturnsThem) {
  Grf("newgrf/a.grf", 30);
  Grf("newgrf/b.grf", 7);
  Add("newgrf/a.grf", GrfState::Off);
  Add("newgrf/b.grf 4", GrfState::Active);
  manager.CountAllSprites(true, -1);
  ExpectTotals(7, 0, "start");

  Click(0);  // Off -> Inactive
  ExpectTotals(37, 30, "Off -> Inactive");
  Click(0);  // Inactive -> Active
  ExpectTotals(37, 0, "Inactive -> Active");
  Click(0);  // Active -> Off
  ExpectTotals(7, 0, "Active -> Off");

  manager.listGrfFiles.inactiveAvailable = false;
  Click(0);  // Off -> Active
  ExpectTotals(37, 0, "Off -> Active");
  manager.CountAllSprites(true, -1);
  ExpectTotals(37, 0, "a full recount agrees");
  Click(0);  // Active -> Off
  ExpectTotals(7, 0, "Active -> Off without the inactive state");
  Click(1);
  ExpectTotals(0, 0, "the other entry off");
}

TEST_F(SpriteTotals, ClickOnAMissingFileReportsItAndKeepsTheTotals) {
  Grf("newgrf/a.grf", 5);
  Add("newgrf/a.grf", GrfState::Active);
  Add("newgrf/gone.grf 3", GrfState::Off);
  manager.CountAllSprites(true, -1);
  ExpectMissing("newgrf/gone.grf");
  Click(1);
  ExpectTotals(5, 0, "missing file clicked");
}

TEST_F(SpriteTotals, WithoutATtdDirectoryThePathsStartEmpty) {
  test::TestPlatform bare;
  test::RecordingView bareView;
  TformManager fresh(bare.ports, bareView);
  fresh.listGrfFiles.Add("newgrf/nowhere-kestrav.grf", GrfState::Active);
  bare.dialogs.Expect(MessageKind::Error, "Cannot find file:\nnewgrf/nowhere-kestrav.grf");
  fresh.CountAllSprites(true, 0);
  EXPECT_EQ(0, fresh.spritesTotal);
  EXPECT_EQ("Total Sprites: 0", bareView.status[0]);
  EXPECT_FALSE(bare.registry.KeyExists(kSettingsKeyPath)) << "counting creates no settings key";
}

}  // namespace
}  // namespace kestrav
