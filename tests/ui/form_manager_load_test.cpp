#include <gtest/gtest.h>

#include <filesystem>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::ListItem;
using test::ManagerFixture;
using S = GrfState;

const char* const kNoGrfFiles =
    "There are no files in 'newgrf' directory.\nThis directory will contain installed GRF files in future.";
const char* const kNoConfigFile =
    "File 'newgrf.cfg' or 'newgrfw.cfg' was not found in your TTD directory.\n"
    "It will be created when you use Save option (Ctrl+S).";

// Without a TTD directory only Quit, Settings, Help and About stay, and the list is off.
void ExpectDirectoryNotSetMode(const ManagerFixture& f) {
  EXPECT_EQ((std::vector<Command>{Command::Quit, Command::Settings, Command::Help, Command::About}),
            f.EnabledCommands());
  EXPECT_TRUE(f.view.selectDirectoryShown);
  EXPECT_FALSE(f.manager.listGrfFiles.enabled);
  EXPECT_GT(f.view.listChanges, 0);
  EXPECT_EQ("Total Sprites: 0", f.view.status.at(0));
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
    EXPECT_EQ("Select Transport Tycoon Deluxe Directory", f.platform.dialogs.browseTitle);
    EXPECT_EQ(folder, f.Settings().ReadString(setting::kTtdPath));
    EXPECT_EQ(folder, f.manager.dlgBrowseLastDirectory);
    EXPECT_FALSE(f.manager.quietSave);
    EXPECT_EQ(chosen, f.ttd.Exists("newgrf"));
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
    EXPECT_EQ((std::vector<ListItem>{{"newgrf/old.grf", S::Off}}), f.Items());
  }
  f.UseTtdDirectory();
  f.ttd.Write("GameGFX.exe", "");
  for (const char* name : {"C.GRF", "A.grf", "a1.grf"}) f.ttd.Write(std::string("newgrf/") + name, "");
  f.ttd.Write("newgrf/b.grf", test::GrfOf(2));
  f.ttd.Write("newgrf/d.grf", test::GrfOf(3));
  // Found without regard to letter case, and later written back into, not beside; the DOS
  // edition's file is read only without it.
  f.ttd.Write("NEWGRFW.CFG", "NEWGRF/D.GRF 1 2\r\nnewgrf/b.grf !\r\n");
  f.ttd.Write("newgrf.cfg", "newgrf/a1.grf\r\n");
  f.manager.fileChanged = f.manager.quietSave = true;
  f.manager.saveAccepted = false;
  f.manager.InitializeGrf();
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/d.grf 1 2", S::Active}, {"newgrf/b.grf", S::Inactive},
                                   {"newgrf/A.grf", S::Off}, {"newgrf/a1.grf", S::Off}, {"newgrf/C.GRF", S::Off}}),
            f.Items());
  f.ExpectTotals(5, 2);
  // Delete, File Information and Set Parameter follow the selection, which a load does not make.
  EXPECT_EQ((std::vector<Command>{Command::Save, Command::Add, Command::Quit, Command::Settings, Command::Notepad,
                                  Command::MakeLog, Command::Help, Command::About, Command::Run}),
            f.EnabledCommands());
  EXPECT_FALSE(f.view.selectDirectoryShown);
  EXPECT_TRUE(f.manager.listGrfFiles.enabled);
  EXPECT_EQ(std::tuple(true, false, false),
            std::tuple(f.manager.fileChanged, f.manager.quietSave, f.manager.saveAccepted));
  ASSERT_EQ(1u, f.platform.processes.runs.size());
  EXPECT_EQ(f.ttd.path(), f.platform.processes.runs[0].workingDirectory);

  f.Put(setting::kNoOverwriteConfirmation, 1);
  f.manager.butnGRFSaveClick();
  EXPECT_EQ("newgrf/d.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/A.grf\r\n#DISABLED#newgrf/a1.grf\r\n"
            "#DISABLED#newgrf/C.GRF\r\n",
            f.ttd.Read("NEWGRFW.CFG"));
}

TEST(InitializeGrf, ThePatchIsProbedBeforeTheConfigurationIsMerged) {
  const struct {
    const char* version;  // what the patch writes; nothing: it cannot be started
    bool probe;
    GrfState shown;
  } cases[] = {
      {"0x02000A00", true, S::Inactive},
      {"0x01000000", true, S::Active},
      {nullptr, true, S::Inactive},      // the failure is reported and the load goes on
      {"0x02000A00", false, S::Active},  // the probe turned off leaves the state as set
  };
  for (const auto& c : cases) {
    ManagerFixture f;
    f.UseTtdDirectory();
    f.ttd.Write("ttdpatch.exe", "");
    f.ttd.Write("newgrf/a.grf", "");
    f.ttd.Write("newgrfw.cfg", "newgrf/a.grf !\r\n");
    f.manager.probePatchVersion = c.probe;
    f.manager.listGrfFiles.inactiveAvailable = c.probe;
    f.platform.processes.onRun = [&](const std::string&) {
      if (!c.version) return ProcessOutcome::StartFailed;
      f.ttd.Write("switches.xml", std::string("<switches ID=\"") + c.version + "\"/>");
      return ProcessOutcome::Exited;
    };
    if (!c.version) f.platform.dialogs.Expect(MessageKind::Error, "Kestrav could not create process!");
    f.manager.InitializeGrf();
    EXPECT_EQ(c.probe ? 1u : 0u, f.platform.processes.runs.size());
    EXPECT_EQ((std::vector<ListItem>{{"newgrf/a.grf", c.shown}}), f.Items()) << (c.version ? c.version : "none");
  }
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
  try {
    f.manager.InitializeGrf();
    ADD_FAILURE() << "no error";
  } catch (const OperationError& raised) {
    EXPECT_EQ("Cannot create directory " + f.ttd.Join("newgrf"), raised.what());
  }
  EXPECT_TRUE(f.Items().empty());
  EXPECT_GT(f.view.listChanges, 0);
  EXPECT_TRUE(f.view.status.empty()) << "no recount";
  EXPECT_TRUE(f.manager.loadFailed);
  EXPECT_FALSE(f.view.IsCommandEnabled(Command::Save));
  f.manager.butnGRFSaveClick();
  EXPECT_EQ(CloseAction::Free, f.manager.FormClose());
  EXPECT_EQ("newgrf/a.grf 1\r\n", f.ttd.Read("newgrfw.cfg"));

  std::filesystem::remove(std::filesystem::path(f.ttd.path()) / "newgrf");
  f.ttd.Write("newgrf/a.grf", "");
  f.manager.InitializeGrf();
  EXPECT_FALSE(f.manager.loadFailed);
  EXPECT_TRUE(f.view.IsCommandEnabled(Command::Save));
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/a.grf 1", S::Active}}), f.Items());
}

}  // namespace
}  // namespace kestrav
