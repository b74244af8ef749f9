// The main window's commands on real files: Add, Save with the sprite totals, Run Game and
// Open in Notepad, parameters and deleting on the selected entry, and the settings dialog.
// The file information report is checked through kestrav-cli info, which prints the box's text.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "ui/form_settings.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using K = MessageKind;
using S = GrfState;
using namespace std::string_literals;
using Box = std::tuple<K, const char*, Answer>;
using std::chrono::hours, std::chrono::seconds;
namespace fs = std::filesystem;

const char* const kDelete = "File Installed.\nDo you want to delete source file?";

// Add, and a drop from the file manager, which installs as Add does after its dialog.
TEST(butnInstallGrfClick, AsksByDateCopiesOffersToDeleteAndAddsTheEntry) {
  const struct {
    const char* name;
    const char* file;              // chosen in the dialog (nothing: cancelled), or dropped last
    std::optional<seconds> installed;  // the installed copy's time, after the chosen file's
    std::vector<Box> script;
    bool copied, sourceKept = true, readOnly = false, noNewgrf = false;
    std::optional<std::vector<const char*>> dropped = {};  // dropped before file ("pack": a folder)
    bool addEnabled = true;
  } cases[] = {
      {"later date, earlier in the day", "set.grf", -hours(13),
       {{K::Confirmation,
         "File that you selected already exists.\nBut you are trying to install it's newer version.\nDo you want to "
         "continue?",
         Answer::Yes},
        {K::Confirmation, kDelete, Answer::No},
        {K::Information, "File Installed.\nSource file not deleted.", Answer::Ok}},
       true},
      {"an hour earlier", "set.grf", hours(1),
       {{K::Warning,
         "File that you selected already exists.\nYou have newer version of this file.\nYou are trying to replace "
         "file with older one.\nIt is highly not recommended.\nDo you want to replace it?",
         Answer::No}},
       false},
      {"within the same two seconds", "set.grf", seconds(1),
       {{K::Information, "File already exists.\nYou are trying to install the exacly the same file.\nContinue?",
         Answer::Yes},
        {K::Confirmation, kDelete, Answer::Yes},
        {K::Information, "File Installed.\nSource file deleted.", Answer::Ok}},
       true, false},
      {"main graphics file", "trg1r.grf", std::nullopt,
       {{K::Warning,
         "You cannot add this file.\nIt is probably main TTD file and they have to be in TTD directory.\nIf you are "
         "sure that it is not main TTD file, just change its name and add it again.",
         Answer::Ok}},
       false},
      {"read-only source", "new.grf", std::nullopt,
       {{K::Confirmation, kDelete, Answer::Yes},
        {K::Warning, "File Installed.\nbut Program cannot delete source file.", Answer::Ok}},
       true, true, true},
      {"no newgrf directory", "set.grf", std::nullopt, {{K::Error, "Program cannot install file.", Answer::Ok}}, false,
       true, false, true},
      {"cancelled", nullptr, std::nullopt, {}, false},
      {"dropped with a folder, another file and a vanished one", "NEW.GRF", std::nullopt,
       {{K::Warning, "%pack\nis a folder, not a GRF file.\nIt is not installed.", Answer::Ok},
        {K::Warning, "%notes.txt\nis not a GRF file (*.grf).\nIt is not installed.", Answer::Ok},
        {K::Warning, "%gone.grf\ncannot be found.\nIt is not installed.", Answer::Ok},
        {K::Confirmation, kDelete, Answer::Yes},
        {K::Information, "File Installed.\nSource file deleted.", Answer::Ok}},
       true, false, false, false, std::vector{"pack", "notes.txt", "gone.grf"}},
      {"dropped while Add is disabled", "new.grf", std::nullopt, {}, false, true, false, false, std::vector{"pack"},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ManagerFixture f;
    const test::TempDir downloads;
    f.UseTtdDirectory();
    f.Put(setting::kLastDir, "C:\\old\\");
    f.Add({{"newgrf/set.grf", GrfState::Active}, {"newgrf/New.grf", GrfState::Active}});
    f.manager.spritesTotal = 7;
    const std::string file = c.file ? c.file : "set.grf", source = downloads.Write(file, "new");
    const auto chosen = test::LocalFileTime(2004, 3, 2, 12, 0, 0);
    fs::last_write_time(downloads.path() + "/" + file, chosen);
    if (c.installed) f.ttd.Write("newgrf/" + file, "old");
    if (c.installed) fs::last_write_time(f.ttd.path() + "/newgrf/" + file, chosen + *c.installed);
    if (c.readOnly) fs::permissions(downloads.path() + "/" + file, fs::perms::owner_write, fs::perm_options::remove);
    if (!c.noNewgrf) f.ttd.MakeDirectory("newgrf");
    if (!c.dropped) f.platform.dialogs.ExpectFileDialog(c.file ? std::optional(source) : std::nullopt);
    for (const auto& [kind, text, answer] : c.script) {
      std::string shown = text;
      if (shown[0] == '%') shown.replace(0, 1, downloads.path() + "\\");  // a dropped file's name
      f.platform.dialogs.Expect(kind, shown, answer == Answer::Ok ? MessageButtons::Ok : MessageButtons::YesNo, answer);
    }
    f.view.SetCommandEnabled(Command::Add, c.addEnabled);
    downloads.MakeDirectory("pack");
    downloads.Write("notes.txt", "");
    if (c.dropped) {
      std::vector<std::string> dropped;
      for (const std::string name : *c.dropped) dropped.push_back(downloads.path() + "\\" + name);
      dropped.push_back(source);
      f.manager.FormDropFiles(dropped);
    } else {
      f.manager.butnInstallGrfClick();
      const auto& asked = f.platform.dialogs.fileDialogsShown.at(0).first;
      EXPECT_EQ("Transport Tycoon Graphic Files (*.grf)|*.grf|C:\\old\\|",
                asked.filter + "|" + asked.initialDirectory + "|" + asked.fileName);
    }
    EXPECT_EQ(c.file && !c.dropped ? downloads.path() + "\\" : "C:\\old\\",
              f.Settings().ReadString(setting::kLastDir));
    const std::string installed = f.ttd.Exists("newgrf/" + file) ? f.ttd.Read("newgrf/" + file) : "";
    EXPECT_EQ(c.copied ? "new" : c.installed ? "old" : "", installed);
    EXPECT_EQ(c.sourceKept, downloads.Exists(file));
    // Added unless an entry's whole text is the new one: another letter case is another entry.
    EXPECT_EQ(c.copied && file != "set.grf" ? "set.grf A, New.grf A, " + file + " O" : "set.grf A, New.grf A",
              f.Listed());
    EXPECT_EQ(std::tuple(7, false), std::tuple(f.manager.spritesTotal, f.manager.fileChanged)) << "nothing recounted";
  }
}

const char* const kList = "newgrf/a.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf 3\r\n";

TEST(butnGRFSaveClick, WritesTheEditionsFileAfterTheQuestionsAndSaysSo) {
  const struct {
    const char* name;
    const char* executable = "GameGFX.exe";
    const char* existing = nullptr;  // a configuration there before, holding "old"
    int total = 0, inactive = 0, confirmation = -1;  // the value of "NoOverwriteConfirmation"; -1: none
    bool quiet = false;
    std::optional<Answer> limit = std::nullopt, replace = std::nullopt;  // the answers; nothing: not asked
    const char* after = "-|new";  // newgrf.cfg and newgrfw.cfg: "-" missing, "new" holding kList
  } cases[] = {
      {.name = "Windows, no file yet"},
      {.name = "DOS, no file yet", .executable = "tycoon.exe", .after = "new|-"},
      {.name = "Windows beside the DOS file", .existing = "newgrf.cfg", .replace = Answer::Yes, .after = "old|new"},
      {.name = "No at the question", .existing = "newgrfw.cfg", .replace = Answer::No, .after = "-|old"},
      {.name = "unknown edition", .executable = "ttd.exe", .after = "-|-"},
      {.name = "confirmation set to 1: neither asked nor told", .existing = "newgrfw.cfg", .confirmation = 1},
      {.name = "quiet: neither asked nor told", .existing = "newgrfw.cfg", .confirmation = 0, .quiet = true},
      {.name = "at the limit with the inactive ones", .total = 20000, .inactive = 8517},
      {.name = "above it", .total = 11484, .limit = Answer::No, .after = "-|-"},
      {.name = "the limit is asked in a quiet save", .total = 11484, .quiet = true, .limit = Answer::Yes},
      {.name = "far above", .total = 2147483647, .inactive = -2147483647 - 1, .limit = Answer::No, .after = "-|-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ManagerFixture f({c.executable});
    f.Add({{"newgrf/a.grf 1 2", S::Active}, {"newgrf/b.grf 0", S::Inactive}, {"newgrf/c.grf 3", S::Off}});
    f.manager.fileChanged = true;
    f.manager.saveAccepted = false;
    f.manager.spritesTotal = c.total;
    f.manager.spritesInactive = c.inactive;
    f.manager.quietSave = c.quiet;
    if (c.existing) f.ttd.Write(c.existing, "old");
    if (c.confirmation >= 0) f.Put(setting::kNoOverwriteConfirmation, c.confirmation);
    auto& dialogs = f.platform.dialogs;
    if (c.limit) {
      dialogs.Expect(MessageKind::Warning,
                     "There are more active sprites than 11483!\nTTDPatch may not be able to load all graphics.\nThat "
                     "also depends on a game and climate you will play.\nCheck that limit while playing in TTDPatch's "
                     "'New Graphic Status' window.\nDo you want to continue?",
                     MessageButtons::YesNo, *c.limit);
    }
    if (c.replace) {
      dialogs.Expect(MessageKind::Confirmation,
                     "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?", MessageButtons::YesNo,
                     *c.replace);
    }
    const std::string after = c.after;
    if (after == "-|-" && !c.limit) dialogs.Expect(MessageKind::Error, "Kestrav can't recognize your TTD version.");
    if (after.find("new") != std::string::npos && !c.quiet && c.confirmation != 1) {
      dialogs.Expect(MessageKind::Information, after.starts_with("new") ? "'newgrf.cfg' saved" : "'newgrfw.cfg' saved");
    }
    f.manager.butnGRFSaveClick();
    std::string files;
    for (const std::string file : {"newgrf.cfg", "newgrfw.cfg"}) {
      const std::string content = f.ttd.Exists(file) ? f.ttd.Read(file) : "-";
      files += (files.empty() ? "" : "|") + (content == kList ? "new" : content);
    }
    EXPECT_EQ(std::tuple(after, c.limit == Answer::No, c.limit != Answer::No),
              std::tuple(files, f.manager.fileChanged, f.manager.saveAccepted));
  }
}

TEST(CountAllSprites, AddsActiveAndInactiveFilesReportsMissingOnesAndNeverLooksForOffOnes) {
  test::ManagerFixture f;
  f.UseTtdDirectory();
  for (const auto& [name, sprites] : {std::pair{"a", 10}, {"b", 20}, {"off", 40}}) {
    f.ttd.Write(std::string("newgrf/") + name + ".grf", test::GrfOf(sprites));
  }
  f.ttd.MakeDirectory("newgrf/folder.grf");
  f.Add({{"newgrf/first.grf 1 2", S::Active}, {"newgrf/a.grf 1 2", S::Active}, {"newgrf\\sub\\second.grf", S::Inactive},
         {"newgrf/b.grf", S::Inactive}, {"newgrf/off.grf", S::Off}, {"newgrf/gone.grf", S::Off},  // missing, but off
         {"newgrf/folder.grf", S::Active}});
  for (const char* shown : {"newgrf/first.grf", "newgrf/sub/second.grf", "newgrf/folder.grf"}) {
    f.platform.dialogs.Expect(MessageKind::Error, std::string("Cannot find file:\n") + shown);
  }
  f.manager.spritesTotal = 7;
  f.manager.CountAllSprites(true, 0);
  f.ExpectTotals(30, 20);
}

std::string Starts(const test::ManagerFixture& f) {
  std::string all;
  for (const auto& run : f.platform.shell.starts) all += run.file + "|" + run.parameters + "|" + run.directory + ";";
  return all;
}

TEST(butnRunClick, SavesAsTheSettingsAndTheAnswersSayThenStartsTheFirstCandidate) {
  const struct {
    const char* name;
    std::optional<int> saveAndRun = std::nullopt, runType = std::nullopt;
    std::initializer_list<const char*> present = {"GameGFX.exe", "ttdpatch.exe", "ttdpatchw.exe"};
    std::optional<Answer> answer = std::nullopt;  // to the run question; nothing: not asked
    bool changed = true, accepted = true, loadFailed = false;  // accepted: the last save got past its question
    bool saved = false;
    const char* started = "ttdpatchw.exe";  // or the error shown
  } cases[] = {
      {.name = "Yes saves", .answer = Answer::Yes, .saved = true},
      {.name = "No runs unsaved, the second patch", .saveAndRun = 0, .runType = 0,
       .present = {"ttdpatch.exe", "GameGFX.exe"}, .answer = Answer::No, .started = "ttdpatch.exe"},
      {.name = "Cancel", .saveAndRun = 2, .answer = Answer::Cancel, .started = nullptr},
      {.name = "quiet save, the first game", .saveAndRun = 1, .runType = 1,
       .present = {"tycoon.exe", "ttdlx.exe", "GameGFX.exe"}, .saved = true, .started = "GameGFX.exe"},
      {.name = "a save refused before", .accepted = false, .started = nullptr},
      {.name = "after a failed load, the game", .saveAndRun = 1, .runType = 7,
       .present = {"tycoon.exe", "ttdlx.exe", "ttdx.exe", "ttdpatchw.exe"}, .accepted = false, .loadFailed = true,
       .started = "ttdx.exe"},
      {.name = "no game", .runType = 1, .present = {"ttdpatchw.exe"}, .changed = false,
       .started = "TTD executable file was not found.\nSet TTD directory in Settings."},
      {.name = "no patch", .present = {"GameGFX.exe"}, .changed = false,
       .started = "TTDPatch executable file was not found.\nTTDPatch executable always have to be in TTD directory."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ManagerFixture f(c.present);
    if (c.saveAndRun) f.Put(setting::kSaveAndRun, *c.saveAndRun);
    if (c.runType) f.Put(setting::kRunType, *c.runType);
    f.manager.listGrfFiles.Add("newgrf/a.grf", GrfState::Active);
    f.manager.fileChanged = c.changed;
    f.manager.saveAccepted = c.accepted;
    f.manager.loadFailed = c.loadFailed;
    auto& dialogs = f.platform.dialogs;
    if (c.answer) {
      dialogs.Expect(MessageKind::Confirmation,
                     "File changed.\nDo you want to save it?\nPress 'Yes' to save and run game,\n'No' to run without "
                     "saving,\nor 'Cancel' to not run.",
                     MessageButtons::YesNoCancel, *c.answer);
    }
    if (c.answer == Answer::Yes) dialogs.Expect(MessageKind::Information, "'newgrfw.cfg' saved");
    const bool program = c.started && std::string(c.started).ends_with(".exe");
    if (c.started && !program) dialogs.Expect(MessageKind::Error, c.started);
    f.manager.butnRunClick();
    EXPECT_EQ(c.saved, f.ttd.Exists("newgrfw.cfg") || f.ttd.Exists("newgrf.cfg"));
    EXPECT_EQ(program ? f.ttd.Join(c.started) + "||" + f.ttd.path() + ";" : "", Starts(f));
  }
}

TEST(butnRunClick, AFailingQuietSaveStartsNothingAndEndsTheQuietSave) {
  test::ManagerFixture f({"GameGFX.exe", "ttdpatchw.exe"});
  f.ttd.MakeDirectory("newgrfw.cfg");
  f.Put(setting::kSaveAndRun, 1);
  EXPECT_THROW(f.manager.butnRunClick(), OperationError);
  EXPECT_EQ(std::pair(false, std::string()), std::pair(f.manager.quietSave, Starts(f)));
}

TEST(butnNotepadClick, OpensTheWindowsEditionsFileFirst) {
  const struct {
    std::initializer_list<const char*> present;  // the files of the TTD directory; none: no directory set
    const char* opened;  // or the error shown
  } cases[] = {
      {{"newgrf.cfg", "newgrfw.cfg", "tycoon.exe"}, "newgrfw.cfg"},
      {{"newgrf.cfg", "GameGFX.exe"}, "newgrf.cfg"},
      {{"GameGFX.exe"}, "newgrf.cfg or newgrfw.cfg file not found."},
      {{}, "TTD directory not found."},
  };
  for (const auto& [present, opened] : cases) {
    SCOPED_TRACE(opened);
    auto f = present.size() ? test::ManagerFixture(present) : test::ManagerFixture();
    const bool found = std::string(opened).ends_with(".cfg");
    if (!found) f.platform.dialogs.Expect(MessageKind::Error, opened);
    f.manager.butnNotepadClick();
    EXPECT_EQ(found ? "notepad.exe|" + f.ttd.Join(opened) + "|;" : "", Starts(f));
  }
}

struct EntryFixture : test::ManagerFixture {
  explicit EntryFixture(const std::string& text) {
    UseTtdDirectory();
    Add({{"newgrf/a.grf", GrfState::Off}, {text.c_str(), GrfState::Off}, {"newgrf/c.grf", GrfState::Off}});
    manager.listGrfFiles.Select(1);
    manager.spritesTotal = 7;
  }
};

TEST(SetParameter, TakesNumbersAndBlanksOnlyAndAsksAgainWithTheEarlierParameters) {
  const std::tuple<std::string, std::vector<std::optional<std::string>>, std::string, std::string, bool> cases[] = {
      // entry text, the inputs in turn (nothing: Cancel), the field each box opens with, the text after, changed
      {"newgrf/b.grf 1 2", {""}, "1 2", "b.grf", true},
      {"newgrf/b.grf", {"  -1  09 -  "}, "", "b.grf  -1 09 - ", true},
      {"newgrf/b.grf  1 2 ", {"1,2", "1\t2", "7"}, "1 2", "b.grf 7", true},
      {"newgrf/b.grf  1 2 ", {"a", std::nullopt}, "1 2", "b.grf 1 2", false},
      {"newgrf/b.grf  1 2 ", {" 1  2"}, "1 2", "b.grf  1 2", false},
  };
  for (const auto& [text, inputs, field, after, changed] : cases) {
    SCOPED_TRACE(text + "|" + inputs.front().value_or("(cancel)"));
    EntryFixture f(text);
    for (const auto& input : inputs) f.platform.dialogs.ExpectInput(input);
    for (std::size_t refused = 1; refused < inputs.size(); ++refused) {
      f.platform.dialogs.Expect(MessageKind::Error,
                                "Entered value must be number.\nMultiple parameters have to be separated by space.");
    }
    f.manager.TformManager::butnParameterClick();
    EXPECT_EQ(std::vector(inputs.size(), "Parameters|newgrf/b.grf parameters:|" + field),
              f.platform.dialogs.inputsShown);
    EXPECT_EQ("a.grf O, " + after + " O, c.grf O", f.Listed());
    EXPECT_EQ(std::tuple(1, changed, 7),
              std::tuple(f.manager.listGrfFiles.Selected(), f.manager.fileChanged, f.manager.spritesTotal));
  }
}

TEST(Delete, RemovesTheFileAndItsEntryOnlyOnYesAndLeavesNothingSelected) {
  const std::tuple<std::string, bool, Answer> cases[] = {
      // entry text, a directory in place of the file, the answer
      {"newgrf/b.grf 1 2", false, Answer::Yes},
      {"newgrf/b.grf", false, Answer::No},
      {"newgrf/b.grf", true, Answer::Yes},
  };
  for (const auto& [text, directory, answer] : cases) {
    SCOPED_TRACE(text + (directory ? " directory" : ""));
    EntryFixture f(text);
    const std::string file = f.ttd.Join("newgrf/b.grf");
    directory ? f.ttd.MakeDirectory("newgrf/b.grf") : static_cast<void>(f.ttd.Write("newgrf/b.grf", "x"));
    const bool yes = answer == Answer::Yes, deleted = yes && !directory;
    f.platform.dialogs.Expect(MessageKind::Warning,
                              "Do you want to delete newgrf\\b.grf file?\n\nWarning: Deleting may not work with "
                              "Windows XP.",
                              MessageButtons::YesNo, answer);
    if (yes) {
      f.platform.dialogs.Expect(deleted ? MessageKind::Information : MessageKind::Error,
                                deleted ? "File:\n" + file + "\ndeleted." : "Program cannot delete file:\n" + file);
    }
    f.manager.TformManager::butnDeleteClick();
    EXPECT_EQ(deleted ? "a.grf O, c.grf O" : "a.grf O, " + text.substr(7) + " O, c.grf O", f.Listed());
    EXPECT_EQ(!deleted, f.ttd.Exists("newgrf/b.grf"));
    EXPECT_EQ(std::tuple(deleted, yes ? -1 : 1, !yes, true, true),
              std::tuple(f.manager.fileChanged, f.manager.listGrfFiles.Selected(),
                         f.view.IsCommandEnabled(Command::Delete), f.view.IsCommandEnabled(Command::FileInfo),
                         f.view.IsCommandEnabled(Command::Parameter)));
    if (yes) {  // the two commands left enabled do nothing without a selection
      f.manager.TformManager::butnFileInfoClick();
      f.manager.TformManager::butnParameterClick();
    }
  }
}

// Shows the controls as "1" for itemRunTTD, itemActionParam and each checked box, "0"
// otherwise, then the path box.
class RecordingSettingsView : public SettingsView {
 public:
  void SelectRunTtd(bool runTtd) override { state[0] = runTtd ? '1' : '0'; }
  void SelectActionParam(bool actionParam) override { state[1] = actionParam ? '1' : '0'; }
  void SetChecked(SettingsBox box, bool checked) override { state[2 + static_cast<int>(box)] = checked ? '1' : '0'; }
  bool IsChecked(SettingsBox box) const override { return state[2 + static_cast<int>(box)] == '1'; }
  void SetPathText(const std::string& text) override { path = text; }
  void ShowModal() override { ++shown; }
  void Close() override {}
  std::string Shown() const { return std::string(state) + " " + path; }
  char state[5] = "0000";
  std::string path = "?";
  int shown = 0;
};

struct SettingsFixture : test::ManagerFixture {
  SettingsFixture() { manager.formSettings = &form; }
  RecordingSettingsView settingsView;
  TformSettings form{platform.ports, manager, settingsView};
};

TEST(Settings1Click, FillsTheControlsAndEachClickWritesItsValue) {
  using S = TformSettings;
  const struct {
    std::optional<std::int32_t> flags;  // all four booleans, over what an earlier showing left
    std::optional<std::string> path;
    void (S::*click)();
    const char* name;  // the value the click writes
    const char* shown;
    std::int32_t stored;
  } cases[] = {
      {std::nullopt, std::nullopt, nullptr, "", "0000 Directory Not Set", 0},
      {0, "C:\\TTD", &S::itemRunTTDClick, "RunType", "1000 C:\\TTD", 1},
      {2, "", &S::itemRunTTDPatchClick, "RunType", "0111 ", 0},
      {0, "", &S::itemActionParamClick, "DoubleClickAction", "0100 ", 1},
      {1, "", &S::itemActionInfoClick, "DoubleClickAction", "1011 ", 0},
      {0, "", &S::cboxSaveAndRunClick, "SaveAndRun", "0010 ", 1},
      {1, "", &S::cboxNoOverwriteConfirmationClick, "NoOverwriteConfirmation", "1110 ", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    SettingsFixture f;
    for (const char* name : {"RunType", "DoubleClickAction", "SaveAndRun", "NoOverwriteConfirmation"}) {
      if (c.flags) f.Put(name, *c.flags);
    }
    if (c.path) f.Put(setting::kTtdPath, *c.path);
    std::copy_n(c.flags.value_or(0) ? "0000" : "1111", 4, f.settingsView.state);
    f.manager.Settings1Click();
    // A check box has its new state when its click handler runs.
    if (c.click == &S::cboxSaveAndRunClick) f.settingsView.state[2] = '1';
    if (c.click == &S::cboxNoOverwriteConfirmationClick) f.settingsView.state[3] = '0';
    if (c.click) {
      (f.form.*c.click)();
      EXPECT_EQ(c.stored, f.Settings().ReadInteger(c.name));
    }
    EXPECT_EQ(c.shown, f.settingsView.Shown());
  }
}

TEST(Button1Click, AConfirmedFolderIsStoredShownAndLoadedAndPreselectedNextTime) {
  SettingsFixture f;
  f.UseTtdDirectory();
  test::TempDir chosen;
  chosen.Write("newgrf/b.grf", "");
  chosen.Write("newgrfw.cfg", "");
  auto& dialogs = f.platform.dialogs;
  // The main window's button runs the dialog's own browser without showing the dialog.
  dialogs.ExpectBrowse(chosen.path());
  f.manager.butnSelectTTDdirClick();
  EXPECT_EQ(std::tuple(""s, 0, "b.grf O"s), std::tuple(dialogs.browseLastDirectory, f.settingsView.shown, f.Listed()));
  chosen.Write("ttdx.exe", "");
  EXPECT_TRUE(dialogs.browseAccept(chosen.path()) && !dialogs.browseAccept(f.ttd.path()));
  // A cancelled browser, which preselects the folder chosen last, changes nothing.
  const int redraws = f.view.listChanges;
  dialogs.ExpectBrowse(std::nullopt);
  f.form.Button1Click();
  EXPECT_EQ(std::tuple(chosen.path(), chosen.path(), "0000 " + chosen.path(), redraws),
            std::tuple(dialogs.browseLastDirectory, f.Settings().ReadString(setting::kTtdPath),
                       f.settingsView.Shown(), f.view.listChanges));
}

}  // namespace
}  // namespace kestrav
