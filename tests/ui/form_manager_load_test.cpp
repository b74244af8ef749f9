#include <gtest/gtest.h>

#include <filesystem>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::ManagerFixture;
using namespace std::string_literals;

// Without a TTD directory only Quit, Settings, Help and About stay, and the list is off.
void ExpectDirectoryNotSetMode(const ManagerFixture& f) {
  EXPECT_EQ((std::vector<Command>{Command::Quit, Command::Settings, Command::Help, Command::About}),
            f.EnabledCommands());
  EXPECT_EQ(std::tuple(true, false, true, "Total Sprites: 0"s),
            std::tuple(f.view.selectDirectoryShown, f.manager.listGrfFiles.enabled, f.view.listChanges > 0,
                       f.view.status.at(0)));
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
    f.manager.quietSave = true;
    f.manager.InitializeGrf();
    EXPECT_EQ(std::tuple("Select Transport Tycoon Deluxe Directory"s, folder, folder, false, chosen),
              std::tuple(f.platform.dialogs.browseTitle, f.Settings().ReadString(setting::kTtdPath),
                         f.manager.dlgBrowseLastDirectory, f.manager.quietSave, f.ttd.Exists("newgrf")));
    if (chosen) continue;
    ExpectDirectoryNotSetMode(f);
    EXPECT_TRUE(f.platform.processes.runs.empty());
    f.ttd.Write("ttdpatchw.exe", "");
    EXPECT_TRUE(f.platform.dialogs.browseAccept(f.ttd.path()) && !f.platform.dialogs.browseAccept(f.ttd.Join("x")));
    // The next start finds the value written, empty as it is: no welcome, no browser.
    f.manager.InitializeGrf();
    ExpectDirectoryNotSetMode(f);
  }
}

TEST(InitializeGrf, ReloadListsTheFilesAlphabeticallyUnderTheConfigurationAndKeepsTheChangedFlag) {
  ManagerFixture f;
  f.manager.listGrfFiles.Add("newgrf/old.grf", GrfState::Off);
  for (const char* path : {"0", " "}) {  // no directory either: the entries stay, disabled
    f.Put(setting::kTtdPath, path);
    f.manager.InitializeGrf();
    ExpectDirectoryNotSetMode(f);
    EXPECT_EQ("old.grf O", f.Listed());
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
  // Delete, File Information and Set Parameter follow the selection, which a load does not make.
  EXPECT_EQ((std::vector<Command>{Command::Save, Command::Add, Command::Quit, Command::Settings, Command::Notepad,
                                  Command::MakeLog, Command::Help, Command::About, Command::Run}),
            f.EnabledCommands());
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

}  // namespace
}  // namespace kestrav
