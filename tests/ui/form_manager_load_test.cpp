#include <gtest/gtest.h>

#include "environment/directory_selection.h"
#include "model/list_validation.h"
#include "platform/operation_error.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::ItemsOf;
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

const Command kDirectoryCommands[] = {Command::Add,     Command::Save,    Command::FileInfo, Command::Parameter,
                                      Command::Delete,  Command::Notepad, Command::MakeLog,  Command::Run};
const Command kOtherCommands[] = {Command::Quit, Command::Settings, Command::Help, Command::About};

std::string StoredTtdPath(const MemoryRegistry& registry) {
  const auto value = registry.Get(kSettingsKeyPath, setting::kTtdPath);
  if (!value) return "(absent)";
  EXPECT_EQ(kRegSz, value->type);
  return value->data.substr(0, value->data.find('\0'));
}

void ExpectDirectoryNotSetMode(const ManagerFixture& f) {
  EXPECT_TRUE(f.view.selectDirectoryShown);
  for (const Command command : kDirectoryCommands) {
    EXPECT_FALSE(f.view.IsCommandEnabled(command)) << static_cast<int>(command);
  }
  for (const Command command : kOtherCommands) EXPECT_TRUE(f.view.IsCommandEnabled(command));
  EXPECT_FALSE(f.manager.listGrfFiles.enabled);
  EXPECT_GT(f.view.listChanges, 0);
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
  EXPECT_EQ("", f.manager.dlgBrowseLastDirectory);
  EXPECT_FALSE(f.manager.quietSave);
  EXPECT_TRUE(f.platform.processes.runs.empty());
  ExpectDirectoryNotSetMode(f);
  EXPECT_EQ("Total Sprites: 0", f.view.status[0]);
  EXPECT_EQ("Active Sprites: 0", f.view.status[1]);

  // The next start finds the value written, empty as it is: no welcome, no browser.
  f.manager.InitializeGrf();
  EXPECT_EQ(1, f.platform.dialogs.browseCount);
  ExpectDirectoryNotSetMode(f);
}

TEST(InitializeGrf, FirstStartBrowserAcceptsOnlyFoldersWithTheGameOrThePatch) {
  ManagerFixture f;
  test::TempDir empty;
  f.ttd.Write("ttdpatchw.exe", "");
  f.platform.dialogs.Expect(MessageKind::Information, kWelcome);
  f.platform.dialogs.ExpectBrowse(std::nullopt);
  f.manager.InitializeGrf();
  ASSERT_TRUE(f.platform.dialogs.browseAccept);
  EXPECT_TRUE(f.platform.dialogs.browseAccept(f.ttd.path()));
  EXPECT_FALSE(f.platform.dialogs.browseAccept(empty.path()));
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
    f.manager.listGrfFiles.Add("newgrf/old.grf", GrfState::Off);
    f.manager.InitializeGrf();
    EXPECT_EQ(0, f.platform.dialogs.browseCount);
    EXPECT_TRUE(f.platform.processes.runs.empty());
    ExpectDirectoryNotSetMode(f);
    EXPECT_EQ((std::vector<ListItem>{{"newgrf/old.grf", S::Off}}), f.Items());
    EXPECT_EQ("Total Sprites: 0", f.view.status[0]);
    EXPECT_EQ(path, StoredTtdPath(f.platform.registry));
  }
}

TEST(InitializeGrf, ListsEveryInstalledFileOffAlphabeticallyWithoutAConfiguration) {
  ManagerFixture f;
  f.UseTtdDirectory();
  for (const char* name : {"b.grf", "C.GRF", "A.grf", "a1.grf", "notes.txt", "x.grf.bak"}) {
    f.ttd.Write(std::string("newgrf/") + name, test::kNoSprites);
  }
  f.ttd.MakeDirectory("newgrf/d.grf");
  f.platform.dialogs.Expect(MessageKind::Warning, kNoConfigFile);
  f.manager.InitializeGrf();
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/A.grf", S::Off},
                                   {"newgrf/a1.grf", S::Off},
                                   {"newgrf/b.grf", S::Off},
                                   {"newgrf/C.GRF", S::Off}}),
            f.Items());
}

TEST(InitializeGrf, MatchesUpperCaseConfigurationNamesWithTheDiskSpelling) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("GameGFX.exe", "");
  f.ttd.Write("newgrf/a.grf", test::kNoSprites);
  f.ttd.Write("newgrf/b.grf", test::kNoSprites);
  f.ttd.Write("newgrf/c.grf", test::kNoSprites);
  f.ttd.Write("NEWGRFW.CFG", "NEWGRF/C.GRF 1 2\r\n#DISABLED#NEWGRF\\A.GRF\r\nNewGrf/B.Grf !\r\n");
  f.manager.InitializeGrf();
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/c.grf 1 2", S::Active},
                                   {"newgrf/a.grf", S::Off},
                                   {"newgrf/b.grf", S::Inactive}}),
            f.Items());

  // Saved back with the disk's spelling, into the file that was read.
  f.platform.dialogs.Expect(MessageKind::Confirmation,
                            "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?",
                            MessageButtons::YesNo, Answer::Yes);
  f.platform.dialogs.Expect(MessageKind::Information, "'newgrfw.cfg' saved");
  f.manager.butnGRFSaveClick();
  EXPECT_EQ("newgrf/c.grf 1 2\r\n#DISABLED#newgrf/a.grf\r\nnewgrf/b.grf !\r\n", f.ttd.Read("NEWGRFW.CFG"));
}

TEST(InitializeGrf, ReadsNewgrfwCfgWhenBothExistWhateverTheEdition) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("tycoon.exe", "");
  f.ttd.Write("newgrf/a.grf", test::kNoSprites);
  f.ttd.Write("newgrf/b.grf", test::kNoSprites);
  f.ttd.Write("newgrf.cfg", "newgrf/a.grf\r\n");
  f.ttd.Write("newgrfw.cfg", "newgrf/b.grf\r\n");
  f.manager.InitializeGrf();
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/b.grf", S::Active}, {"newgrf/a.grf", S::Off}}), f.Items());
}

TEST(InitializeGrf, ReadsNewgrfCfgWhenItIsTheOnlyOne) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("newgrf/a.grf", test::kNoSprites);
  f.ttd.Write("newgrf/b.grf", test::kNoSprites);
  f.ttd.Write("newgrf.cfg", "newgrf/b.grf 3\nnewgrf/a.grf !");
  f.manager.InitializeGrf();
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/b.grf 3", S::Active}, {"newgrf/a.grf", S::Inactive}}), f.Items());
}

TEST(InitializeGrf, ReloadRebuildsTheListAndKeepsTheUnsavedChangesFlag) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("newgrf/a.grf", test::kNoSprites);
  f.ttd.Write("newgrfw.cfg", "newgrf/a.grf\r\n");
  f.manager.InitializeGrf();
  ASSERT_EQ(1, f.manager.listGrfFiles.Count());

  test::TempDir other;
  other.Write("newgrf/b.grf", test::kNoSprites);
  other.Write("newgrf/c.grf", test::kNoSprites);
  other.Write("newgrf.cfg", "newgrf/c.grf\r\n");
  test::PutString(f.platform.registry, setting::kTtdPath, other.path());
  f.manager.listGrfFiles.Toggle(0);
  f.manager.fileChanged = true;
  f.manager.quietSave = true;
  f.manager.saveAccepted = false;
  f.manager.InitializeGrf();

  EXPECT_EQ((std::vector<ListItem>{{"newgrf/c.grf", S::Active}, {"newgrf/b.grf", S::Off}}), f.Items());
  EXPECT_TRUE(f.manager.fileChanged);
  EXPECT_FALSE(f.manager.quietSave);
  EXPECT_FALSE(f.manager.saveAccepted);
  ASSERT_EQ(2u, f.platform.processes.runs.size());
  EXPECT_EQ(other.path() + "\\ -!S-", f.platform.processes.runs[1].commandLine);
}

TEST(InitializeGrf, SetsTheCommandsOfTheDirectorySetMode) {
  ManagerFixture f;
  test::PutString(f.platform.registry, setting::kTtdPath, "0");
  f.manager.InitializeGrf();
  ExpectDirectoryNotSetMode(f);

  f.UseTtdDirectory();
  f.ttd.Write("newgrf/a.grf", test::kNoSprites);
  f.ttd.Write("newgrf.cfg", "");
  f.manager.InitializeGrf();
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

// A patch that writes switches.xml with a given version, and an XML reader that finds it.
class VersionXml : public XmlReader {
 public:
  explicit VersionXml(FileSystem& files) : files_(files) {}
  std::optional<std::string> ReadRootAttribute(const std::string& path, const std::string& attribute) override {
    if (attribute != "ID" || !files_.FileExists(path)) return std::nullopt;
    return ReadWholeFile(files_, path);
  }

 private:
  FileSystem& files_;
};

TEST(InitializeGrf, ProbesThePatchBeforeTheConfigurationIsMerged) {
  struct Case {
    const char* version;
    GrfState shown;
  };
  for (const Case c : {Case{"1000000", S::Active}, Case{"0x02000A00", S::Inactive}}) {
    SCOPED_TRACE(c.version);
    test::TempDir ttd;
    test::TestPlatform platform;
    VersionXml xml(*platform.system.files);
    Platform ports = platform.ports;
    Platform withXml{ports.files, ports.registry, ports.dialogs, ports.processes, xml, ports.screen, ports.locale};
    test::RecordingView view;
    TformManager manager(withXml, view);
    test::PutString(platform.registry, setting::kTtdPath, ttd.path());
    ttd.Write("ttdpatch.exe", "");
    ttd.Write("newgrf/a.grf", test::kNoSprites);
    ttd.Write("newgrfw.cfg", "newgrf/a.grf !\r\n");
    platform.processes.onRun = [&](const std::string&) {
      EXPECT_FALSE(ttd.Exists("switches.xml"));
      ttd.Write("switches.xml", c.version);
      return ProcessOutcome::Exited;
    };
    ttd.Write("switches.xml", "0x7F000000");  // left over: never the answer
    manager.InitializeGrf();

    ASSERT_EQ(1u, platform.processes.runs.size());
    EXPECT_EQ(ttd.path() + "\\ttdpatch.exe -!S-", platform.processes.runs[0].commandLine);
    EXPECT_EQ(ttd.path(), platform.processes.runs[0].workingDirectory);
    EXPECT_EQ(10000u, platform.processes.runs[0].waitMs);
    EXPECT_FALSE(ttd.Exists("switches.xml"));
    EXPECT_EQ((std::vector<ListItem>{{"newgrf/a.grf", c.shown}}), ItemsOf(manager.listGrfFiles));
  }
}

TEST(InitializeGrf, APatchThatCannotStartIsReportedAndTheLoadGoesOn) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.platform.processes.onRun = nullptr;
  f.ttd.Write("newgrf/a.grf", test::kNoSprites);
  f.ttd.Write("newgrfw.cfg", "newgrf/a.grf !\r\n");
  f.platform.dialogs.Expect(MessageKind::Error, "Kestrav could not create process!");
  f.manager.InitializeGrf();
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/a.grf", S::Inactive}}), f.Items());
}

TEST(InitializeGrf, WithTheProbeTurnedOffTheInactiveStateIsLeftAsSet) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.manager.probePatchVersion = false;
  f.manager.listGrfFiles.inactiveAvailable = false;
  f.ttd.Write("newgrf/a.grf", test::kNoSprites);
  f.ttd.Write("newgrfw.cfg", "newgrf/a.grf !\r\n");
  f.manager.InitializeGrf();
  EXPECT_TRUE(f.platform.processes.runs.empty());
  EXPECT_EQ((std::vector<ListItem>{{"newgrf/a.grf", S::Active}}), f.Items());
}

TEST(InitializeGrf, RecountsTheSpritesOfTheMergedList) {
  ManagerFixture f;
  f.UseTtdDirectory();
  f.ttd.Write("newgrf/active.grf", test::kOneNormalSprite);
  f.ttd.Write("newgrf/inactive.grf", test::kOneNormalSprite);
  f.ttd.Write("newgrf/off.grf", test::kOneNormalSprite);
  f.ttd.Write("newgrf/pseudo.grf", test::kOnePseudoSprite);
  f.ttd.Write("newgrfw.cfg",
              "newgrf/active.grf\r\nnewgrf/inactive.grf !\r\n#DISABLED#newgrf/off.grf\r\nnewgrf/pseudo.grf\r\n"
              "newgrf/gone.grf\r\n");
  f.platform.dialogs.Expect(MessageKind::Warning, "Files:\n" + f.ttd.path() + "\\newgrf\\gone.grf\nwere not found.");
  f.manager.InitializeGrf();
  EXPECT_EQ(2, f.manager.spritesTotal);
  EXPECT_EQ(1, f.manager.spritesInactive);
  EXPECT_EQ("Total Sprites: 2", f.view.status[0]);
  EXPECT_EQ("Active Sprites: 1", f.view.status[1]);
}

// The real file system, with one operation made to fail for one path.
class FailingFileSystem : public FileSystem {
 public:
  explicit FailingFileSystem(FileSystem& real) : real_(real) {}
  std::string failOpen;  // OpenForRead of this path fails
  std::string failList;  // ListFiles of this directory throws

  bool FileExists(const std::string& path) override { return real_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return real_.DirectoryExists(path); }
  std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) override {
    if (dir == failList) throw OperationError("Cannot read directory " + dir);
    return real_.ListFiles(dir, pattern);
  }
  std::optional<DosDateTime> LastWriteTime(const std::string& path) override { return real_.LastWriteTime(path); }
  void CreateDirectories(const std::string& dir) override { real_.CreateDirectories(dir); }
  std::unique_ptr<InputFile> OpenForRead(const std::string& path) override {
    if (path == failOpen) return nullptr;
    return real_.OpenForRead(path);
  }
  void WriteWholeFile(const std::string& path, const std::string& content) override {
    real_.WriteWholeFile(path, content);
  }
  bool CopyFileOver(const std::string& source, const std::string& target) override {
    return real_.CopyFileOver(source, target);
  }
  bool RemoveFile(const std::string& path) override { return real_.RemoveFile(path); }

 private:
  FileSystem& real_;
};

struct FailureCase {
  const char* name;
  const char* newgrfFile;  // newgrf made a file instead of a directory
  bool failList;
  bool failConfig;
  const char* error;  // "<ttd>" stands for the TTD directory
  std::vector<ListItem> left;
};

TEST(InitializeGrf, AFailingStepStopsTheLoadWithWhatWasBuilt) {
  const FailureCase cases[] = {
      {"newgrf cannot be created", "not a directory", false, false, "Cannot create directory <ttd>\\newgrf", {}},
      {"newgrf cannot be listed", nullptr, true, false, "Cannot read directory <ttd>\\newgrf", {}},
      {"the configuration cannot be read", nullptr, false, true, "Cannot open file <ttd>\\newgrfw.cfg",
       {{"newgrf/a.grf", S::Off}, {"newgrf/b.grf", S::Off}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir ttd;
    test::TestPlatform platform;
    platform.processes.onRun = [](const std::string&) { return ProcessOutcome::Exited; };
    FailingFileSystem files(*platform.system.files);
    const Platform& ports = platform.ports;
    Platform failing{files, ports.registry, ports.dialogs, ports.processes, ports.xml, ports.screen, ports.locale};
    test::RecordingView view;
    TformManager manager(failing, view);
    test::PutString(platform.registry, setting::kTtdPath, ttd.path());
    if (c.newgrfFile) {
      ttd.Write("newgrf", c.newgrfFile);
    } else {
      ttd.Write("newgrf/a.grf", test::kOneNormalSprite);
      ttd.Write("newgrf/b.grf", test::kOneNormalSprite);
    }
    ttd.Write("newgrfw.cfg", "newgrf/b.grf\r\nnewgrf/gone.grf\r\n");
    if (c.failList) files.failList = ttd.path() + "\\newgrf";
    if (c.failConfig) files.failOpen = ttd.path() + "\\newgrfw.cfg";
    manager.listGrfFiles.Add("newgrf/earlier.grf", S::Active);

    std::string error = c.error;
    error.replace(error.find("<ttd>"), 5, ttd.path());
    try {
      manager.InitializeGrf();
      ADD_FAILURE() << "no error";
    } catch (const OperationError& raised) {
      EXPECT_EQ(error, raised.what());
    }
    EXPECT_EQ(c.left, ItemsOf(manager.listGrfFiles));
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
