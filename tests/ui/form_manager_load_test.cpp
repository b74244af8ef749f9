#include <gtest/gtest.h>

#include <filesystem>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::ManagerFixture;
using S = GrfState;
using namespace std::string_literals;

const char* const kNoGrfFiles =
    "There are no files in 'newgrf' directory.\nThis directory will contain installed GRF files in future.";
const char* const kNoConfigFile =
    "File 'newgrf.cfg' or 'newgrfw.cfg' was not found in your TTD directory.\n"
    "It will be created when you use Save option (Ctrl+S).";

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
    SCOPED_TRACE(chosen);
    ManagerFixture f;
    const std::string folder = chosen ? f.ttd.path() : "";
    f.platform.dialogs.Expect(MessageKind::Information,
                              "Welcome at Kestrav v2.1\nThis message appears because Kestrav cannot find TTD.\n"
                              "Please select TTD directory now, or later from Settings window.");
    f.platform.dialogs.ExpectBrowse(chosen ? std::optional(folder) : std::nullopt);
    if (chosen) f.platform.dialogs.Expect(MessageKind::Warning, kNoGrfFiles);
    if (chosen) f.platform.dialogs.Expect(MessageKind::Warning, kNoConfigFile);
    f.manager.quietSave = true;
    f.manager.InitializeGrf();
    EXPECT_EQ(std::tuple("Select Transport Tycoon Deluxe Directory"s, folder, folder, false, chosen),
              std::tuple(f.platform.dialogs.browseTitle, f.Settings().ReadString(setting::kTtdPath),
                         f.manager.dlgBrowseLastDirectory, f.manager.quietSave, f.ttd.Exists("newgrf")));
    if (chosen) continue;
    ExpectDirectoryNotSetMode(f);
    EXPECT_TRUE(f.platform.processes.runs.empty());
    // The browser takes only folders with the game or the patch.
    test::TempDir empty;
    f.ttd.Write("ttdpatchw.exe", "");
    EXPECT_TRUE(f.platform.dialogs.browseAccept(f.ttd.path()));
    EXPECT_FALSE(f.platform.dialogs.browseAccept(empty.path()));
    // The next start finds the value written, empty as it is: no welcome, no browser.
    f.manager.InitializeGrf();
    EXPECT_EQ(1, f.platform.dialogs.browseCount);
    ExpectDirectoryNotSetMode(f);
  }
}

TEST(InitializeGrf, ReloadListsTheFilesAlphabeticallyUnderTheConfigurationAndKeepsTheChangedFlag) {
  ManagerFixture f;
  f.manager.listGrfFiles.Add("newgrf/old.grf", S::Off);
  for (const char* path : {"0", " "}) {  // no directory either: the entries stay, disabled
    f.Put(setting::kTtdPath, path);
    f.manager.InitializeGrf();
    ExpectDirectoryNotSetMode(f);
    EXPECT_EQ("old.grf O", f.Listed());
  }
  f.UseTtdDirectory();
  f.ttd.Write("GameGFX.exe", "");
  for (const char* name : {"C.GRF", "A.grf", "a1.grf"}) f.ttd.Write(std::string("newgrf/") + name, "");
  f.ttd.Write("newgrf/b.grf", test::GrfOf(2));
  f.ttd.Write("newgrf/d.grf", test::GrfOf(3));
  // Found without regard to letter case, and later written back into, not beside; the DOS
  // edition's file is read only without it.
  f.ttd.Write("NEWGRFW.CFG", "NEWGRF/D.GRF 1 2\r\nnewgrf/b.grf !\r\n");
  // The patch is probed before the merge: too old for inactive entries, it makes b active.
  f.platform.processes.onRun = [&](const std::string&) {
    f.ttd.Write("switches.xml", "<switches ID=\"0x01000000\"/>");
    return ProcessOutcome::Exited;
  };
  f.ttd.Write("newgrf.cfg", "newgrf/a1.grf\r\n");
  f.manager.fileChanged = f.manager.quietSave = true;
  f.manager.saveAccepted = false;
  f.manager.InitializeGrf();
  EXPECT_EQ("d.grf 1 2 A, b.grf A, A.grf O, a1.grf O, C.GRF O", f.Listed());
  f.ExpectTotals(5, 0);
  // Delete, File Information and Set Parameter follow the selection, which a load does not make.
  EXPECT_EQ((std::vector<Command>{Command::Save, Command::Add, Command::Quit, Command::Settings, Command::Notepad,
                                  Command::MakeLog, Command::Help, Command::About, Command::Run}),
            f.EnabledCommands());
  EXPECT_EQ(std::tuple(false, true, true, false, false, f.ttd.path()),
            std::tuple(f.view.selectDirectoryShown, f.manager.listGrfFiles.enabled, f.manager.fileChanged,
                       f.manager.quietSave, f.manager.saveAccepted, f.platform.processes.runs.at(0).workingDirectory));

  f.Put(setting::kNoOverwriteConfirmation, 1);
  f.manager.butnGRFSaveClick();
  EXPECT_EQ("newgrf/d.grf 1 2\r\nnewgrf/b.grf\r\n#DISABLED#newgrf/A.grf\r\n#DISABLED#newgrf/a1.grf\r\n"
            "#DISABLED#newgrf/C.GRF\r\n",
            f.ttd.Read("NEWGRFW.CFG"));
}

// A failed load shows what it built, and until a load succeeds nothing writes the
// configuration: Save is disabled, a save writes nothing and the close asks nothing.
TEST(InitializeGrf, AFailedLoadWritesNothingUntilALoadSucceeds) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("GameGFX.exe", "");
  f.ttd.Write("newgrfw.cfg", "newgrf/a.grf 1\r\n");
  f.ttd.Write("newgrf", "not a directory");
  f.manager.listGrfFiles.Add("newgrf/earlier.grf", S::Active);
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
