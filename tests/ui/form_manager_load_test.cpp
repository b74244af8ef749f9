#include <gtest/gtest.h>

#include "platform/operation_error.h"
#include "support/watched_file_system.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::ListItem;
using test::ManagerFixture;
using S = GrfState;

const char* const kWelcome =
    "Welcome at Kestrav v2.1\n"
    "This message appears because Kestrav cannot find TTD.\n"
    "Please select TTD directory now, or later from Settings window.";
const char* const kNoGrfFiles =
    "There are no files in 'newgrf' directory.\n"
    "This directory will contain installed GRF files in future.";
const char* const kNoConfigFile =
    "File 'newgrf.cfg' or 'newgrfw.cfg' was not found in your TTD directory.\n"
    "It will be created when you use Save option (Ctrl+S).";

std::string StoredTtdPath(const MemoryRegistry& registry) {
  const auto value = registry.Get(kSettingsKeyPath, setting::kTtdPath);
  if (!value) return "(absent)";
  EXPECT_EQ(kRegSz, value->type);
  return value->data.substr(0, value->data.find('\0'));
}

// Without a TTD directory only Quit, Settings, Help and About stay, and the list is off.
void ExpectDirectoryNotSetMode(const ManagerFixture& f) {
  EXPECT_TRUE(f.view.selectDirectoryShown);
  for (const Command command : {Command::Add, Command::Save, Command::FileInfo, Command::Parameter, Command::Delete,
                                Command::Notepad, Command::MakeLog, Command::Run}) {
    EXPECT_FALSE(f.view.IsCommandEnabled(command)) << static_cast<int>(command);
  }
  for (const Command command : {Command::Quit, Command::Settings, Command::Help, Command::About}) {
    EXPECT_TRUE(f.view.IsCommandEnabled(command));
  }
  EXPECT_FALSE(f.manager.listGrfFiles.enabled);
  EXPECT_GT(f.view.listChanges, 0);
  EXPECT_EQ("Total Sprites: 0", f.view.status.at(0));
}

TEST(InitializeGrf, FirstStartCancelledStoresAnEmptyPathAndWelcomesOnlyOnce) {
  ManagerFixture f;
  f.platform.dialogs.Expect(MessageKind::Information, kWelcome);
  f.platform.dialogs.ExpectBrowse(std::nullopt);
  f.manager.quietSave = true;
  f.manager.InitializeGrf();
  EXPECT_EQ(1, f.platform.dialogs.browseCount);
  EXPECT_EQ("Select Transport Tycoon Deluxe Directory", f.platform.dialogs.browseTitle);
  EXPECT_EQ("", f.platform.dialogs.browseLastDirectory);
  EXPECT_EQ("", StoredTtdPath(f.platform.registry));
  EXPECT_FALSE(f.manager.quietSave);
  EXPECT_TRUE(f.platform.processes.runs.empty());
  ExpectDirectoryNotSetMode(f);
  EXPECT_EQ("Active Sprites: 0", f.view.status[1]);
  // The browser takes only folders with the game or the patch.
  test::TempDir empty;
  f.ttd.Write("ttdpatchw.exe", "");
  ASSERT_TRUE(f.platform.dialogs.browseAccept);
  EXPECT_TRUE(f.platform.dialogs.browseAccept(f.ttd.path()));
  EXPECT_FALSE(f.platform.dialogs.browseAccept(empty.path()));

  // The next start finds the value written, empty as it is: no welcome, no browser.
  f.manager.InitializeGrf();
  EXPECT_EQ(1, f.platform.dialogs.browseCount);
  ExpectDirectoryNotSetMode(f);
}

TEST(InitializeGrf, FirstStartWithAChosenFolderGoesOnLoadingIt) {
  ManagerFixture f;
  f.ttd.Write("GameGFX.exe", "");
  f.platform.dialogs.Expect(MessageKind::Information, kWelcome);
  f.platform.dialogs.ExpectBrowse(f.ttd.path());
  f.platform.dialogs.Expect(MessageKind::Warning, kNoGrfFiles);
  f.platform.dialogs.Expect(MessageKind::Warning, kNoConfigFile);
  f.manager.InitializeGrf();
  EXPECT_EQ(f.ttd.path(), StoredTtdPath(f.platform.registry));
  EXPECT_EQ(f.ttd.path(), f.manager.dlgBrowseLastDirectory);
  ASSERT_EQ(1u, f.platform.processes.runs.size());
  EXPECT_EQ(f.ttd.path() + "\\ -!S-", f.platform.processes.runs[0].commandLine);
  EXPECT_TRUE(f.ttd.Exists("newgrf"));
  EXPECT_FALSE(f.view.selectDirectoryShown);
  EXPECT_TRUE(f.manager.listGrfFiles.enabled);
  EXPECT_EQ(0, f.manager.listGrfFiles.Count());
  EXPECT_EQ("Total Sprites: 0", f.view.status[0]);
}

TEST(InitializeGrf, PathTextsThatMeanNoDirectoryKeepThePreviousEntriesDisabled) {
  for (const char* path : {"", "0", " "}) {
    SCOPED_TRACE(std::string("\"") + path + "\"");
    ManagerFixture f;
    test::PutString(f.platform.registry, setting::kTtdPath, path);
    f.manager.listGrfFiles.Add("newgrf/old.grf", S::Off);
    f.manager.InitializeGrf();
    EXPECT_EQ(0, f.platform.dialogs.browseCount);
    EXPECT_TRUE(f.platform.processes.runs.empty());
    ExpectDirectoryNotSetMode(f);
    EXPECT_EQ((std::vector<ListItem>{{"newgrf/old.grf", S::Off}}), f.Items());
    EXPECT_EQ(path, StoredTtdPath(f.platform.registry));
  }
}

TEST(InitializeGrf, ListsInstalledFilesAlphabeticallyAndSetsTheCommands) {
  ManagerFixture f;
  test::PutString(f.platform.registry, setting::kTtdPath, "0");
  f.manager.InitializeGrf();  // every command that needs a directory off
  f.UseTtdDirectory();
  for (const char* name : {"b.grf", "C.GRF", "A.grf", "a1.grf", "notes.txt", "x.grf.bak"}) {
    f.ttd.Write(std::string("newgrf/") + name, test::kNoSprites);
  }
  f.ttd.MakeDirectory("newgrf/d.grf");
  f.platform.dialogs.Expect(MessageKind::Warning, kNoConfigFile);
  f.manager.InitializeGrf();
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/A.grf", S::Off}, {"newgrf/a1.grf", S::Off}, {"newgrf/b.grf", S::Off},
                                   {"newgrf/C.GRF", S::Off}}),
            f.Items());
  EXPECT_FALSE(f.view.selectDirectoryShown);
  EXPECT_TRUE(f.manager.listGrfFiles.enabled);
  for (const Command command : {Command::Add, Command::Save, Command::MakeLog, Command::Notepad, Command::Run}) {
    EXPECT_TRUE(f.view.IsCommandEnabled(command)) << static_cast<int>(command);
  }
  // These follow the selection, which a load does not make.
  for (const Command command : {Command::Delete, Command::FileInfo, Command::Parameter}) {
    EXPECT_FALSE(f.view.IsCommandEnabled(command)) << static_cast<int>(command);
  }
}

TEST(InitializeGrf, MatchesUpperCaseConfigurationNamesAndSavesTheDiskSpellingBack) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("GameGFX.exe", "");
  for (const char* name : {"newgrf/a.grf", "newgrf/b.grf", "newgrf/c.grf"}) f.ttd.Write(name, test::kNoSprites);
  f.ttd.Write("NEWGRFW.CFG", "NEWGRF/C.GRF 1 2\r\n#DISABLED#NEWGRF\\A.GRF\r\nNewGrf/B.Grf !\r\n");
  f.manager.InitializeGrf();
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/c.grf 1 2", S::Active}, {"newgrf/a.grf", S::Off},
                                   {"newgrf/b.grf", S::Inactive}}),
            f.Items());
  // Into the file that was read.
  f.platform.dialogs.Expect(MessageKind::Confirmation,
                            "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?",
                            MessageButtons::YesNo, Answer::Yes);
  f.platform.dialogs.Expect(MessageKind::Information, "'newgrfw.cfg' saved");
  f.manager.butnGRFSaveClick();
  EXPECT_EQ("newgrf/c.grf 1 2\r\n#DISABLED#newgrf/a.grf\r\nnewgrf/b.grf !\r\n", f.ttd.Read("NEWGRFW.CFG"));
}

TEST(InitializeGrf, ReloadRebuildsTheListAndKeepsTheUnsavedChangesFlag) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("newgrf/a.grf", test::kNoSprites);
  f.ttd.Write("newgrfw.cfg", "newgrf/a.grf\r\n");
  f.manager.InitializeGrf();
  ASSERT_EQ(1, f.manager.listGrfFiles.Count());

  test::TempDir other;
  other.Write("newgrf/b.grf", test::kOneNormalSprite);
  other.Write("newgrf/c.grf", test::kOneNormalSprite);
  other.Write("newgrf/d.grf", test::kOneNormalSprite);
  other.Write("newgrf/e.grf", test::kOnePseudoSprite);
  other.Write("newgrf.cfg", "newgrf/c.grf\r\nnewgrf/d.grf !\r\nnewgrf/e.grf\r\n");
  test::PutString(f.platform.registry, setting::kTtdPath, other.path());
  f.manager.listGrfFiles.Toggle(0);
  f.manager.fileChanged = true;
  f.manager.quietSave = true;
  f.manager.saveAccepted = false;
  f.manager.InitializeGrf();
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/c.grf", S::Active}, {"newgrf/d.grf", S::Inactive},
                                   {"newgrf/e.grf", S::Active}, {"newgrf/b.grf", S::Off}}),
            f.Items());
  // The merged list is recounted: normal sprites of the active and inactive files.
  EXPECT_EQ("Total Sprites: 2", f.view.status[0]);
  EXPECT_EQ("Active Sprites: 1", f.view.status[1]);
  EXPECT_TRUE(f.manager.fileChanged);
  EXPECT_FALSE(f.manager.quietSave);
  EXPECT_FALSE(f.manager.saveAccepted);
  ASSERT_EQ(2u, f.platform.processes.runs.size());
  EXPECT_EQ(other.path() + "\\ -!S-", f.platform.processes.runs[1].commandLine);
}

TEST(InitializeGrf, ThePatchIsProbedBeforeTheConfigurationIsMerged) {
  const struct {
    const char* version;  // what the patch writes; nothing: it cannot be started
    bool probe;
    GrfState shown;
  } cases[] = {
      {"0x02000A00", true, S::Inactive},
      {"0x01000000", true, S::Active},
      {nullptr, true, S::Inactive},  // the failure is reported and the load goes on
      {"0x02000A00", false, S::Active},  // the probe turned off leaves the state as set
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version ? c.version : "(no patch)");
    ManagerFixture f;
    f.UseTtdDirectory();
    f.ttd.Write("ttdpatch.exe", "");
    f.ttd.Write("newgrf/a.grf", test::kNoSprites);
    f.ttd.Write("newgrfw.cfg", "newgrf/a.grf !\r\n");
    f.manager.probePatchVersion = c.probe;
    f.manager.listGrfFiles.inactiveAvailable = c.probe;
    f.platform.processes.onRun = nullptr;
    if (c.version) {
      f.platform.processes.onRun = [&](const std::string&) {
        f.ttd.Write("switches.xml", std::string("<switches ID=\"") + c.version + "\"/>");
        return ProcessOutcome::Exited;
      };
    } else {
      f.platform.dialogs.Expect(MessageKind::Error, "Kestrav could not create process!");
    }
    f.manager.InitializeGrf();
    EXPECT_EQ(c.probe ? 1u : 0u, f.platform.processes.runs.size());
    EXPECT_EQ((std::vector<ListItem>{{"newgrf/a.grf", c.shown}}), f.Items());
  }
}

TEST(InitializeGrf, AFailingStepStopsTheLoadWithWhatWasBuilt) {
  const struct {
    const char* name;
    const char* failing;  // "newgrf" made a file, or the path whose reading fails
    const char* error;
    std::vector<ListItem> left;
  } cases[] = {
      {"newgrf cannot be created", nullptr, "Cannot create directory <ttd>\\newgrf", {}},
      {"newgrf cannot be listed", "newgrf", "Cannot read directory <ttd>\\newgrf", {}},
      {"the configuration cannot be read", "newgrfw.cfg", "Cannot open file <ttd>\\newgrfw.cfg",
       {{"newgrf/a.grf", S::Off}, {"newgrf/b.grf", S::Off}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir ttd;
    test::TestPlatform platform;
    platform.processes.onRun = [](const std::string&) { return ProcessOutcome::Exited; };
    test::WatchedFileSystem files(*platform.system.files);
    test::RecordingView view;
    Platform ports = test::WithFiles(platform.ports, files);
    TformManager manager(ports, view);
    test::PutString(platform.registry, setting::kTtdPath, ttd.path());
    if (c.failing) {
      ttd.Write("newgrf/a.grf", test::kOneNormalSprite);
      ttd.Write("newgrf/b.grf", test::kOneNormalSprite);
    } else {
      ttd.Write("newgrf", "not a directory");
    }
    ttd.Write("newgrfw.cfg", "newgrf/b.grf\r\nnewgrf/gone.grf\r\n");
    files.failList = files.failOpen = c.failing ? ttd.Join(c.failing) : "";
    manager.listGrfFiles.Add("newgrf/earlier.grf", S::Active);

    std::string error = c.error;
    error.replace(error.find("<ttd>"), 5, ttd.path());
    try {
      manager.InitializeGrf();
      ADD_FAILURE() << "no error";
    } catch (const OperationError& raised) {
      EXPECT_EQ(error, raised.what());
    }
    EXPECT_EQ(c.left, test::ItemsOf(manager.listGrfFiles));
    EXPECT_GT(view.listChanges, 0);
    EXPECT_FALSE(view.selectDirectoryShown);
    EXPECT_TRUE(manager.listGrfFiles.enabled);
    // Neither the merge nor the recount ran.
    EXPECT_TRUE(view.status.empty());
    EXPECT_EQ(0, manager.spritesTotal);
  }
}

}  // namespace
}  // namespace kestrav
