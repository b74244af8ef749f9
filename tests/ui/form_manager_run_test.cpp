// Run Game and Open in Notepad: the saves before the run, what is started and the refusals.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

const char* const kAsk =
    "File changed.\nDo you want to save it?\nPress 'Yes' to save and run game,\n'No' to run without saving,\n"
    "or 'Cancel' to not run.";
const char* const kSaved = "'newgrfw.cfg' saved";

struct RunFixture : test::ManagerFixture {
  explicit RunFixture(std::initializer_list<const char*> files, bool ttdPath = true) {
    if (ttdPath) UseTtdDirectory();
    for (const char* name : files) ttd.Write(name, "");
  }
  // Each start as "file|parameters|directory;".
  std::string Starts() const {
    std::string all;
    for (const auto& run : platform.shell.starts) all += run.file + "|" + run.parameters + "|" + run.directory + ";";
    return all;
  }
};

TEST(butnRunClick, SavesAsTheSettingsAndTheAnswersSayThenStartsTheFirstCandidate) {
  const std::initializer_list<const char*> installed = {"GameGFX.exe", "ttdpatch.exe", "ttdpatchw.exe"};
  const struct {
    const char* name;
    std::optional<int> saveAndRun = std::nullopt, runType = std::nullopt;
    std::initializer_list<const char*> present = {};
    bool changed = true, accepted = true, loadFailed = false;  // accepted: the last save got past its question
    std::vector<std::pair<const char*, Answer>> script = {};  // the run question, the saved message, an error
    bool saved = false;
    const char* started = "ttdpatchw.exe";
  } cases[] = {
      {.name = "Yes saves", .present = installed, .script = {{kAsk, Answer::Yes}, {kSaved, Answer::Ok}}, .saved = true},
      {.name = "No runs unsaved, the second patch", .saveAndRun = 0, .runType = 0,
       .present = {"ttdpatch.exe", "GameGFX.exe"}, .script = {{kAsk, Answer::No}}, .started = "ttdpatch.exe"},
      {.name = "Cancel", .saveAndRun = 2, .present = installed, .script = {{kAsk, Answer::Cancel}}, .started = nullptr},
      {.name = "quiet save, the first game", .saveAndRun = 1, .runType = 1,
       .present = {"tycoon.exe", "ttdlx.exe", "GameGFX.exe"}, .saved = true, .started = "GameGFX.exe"},
      {.name = "a save refused before", .present = installed, .accepted = false, .started = nullptr},
      {.name = "after a failed load, the game", .saveAndRun = 1, .runType = 7,
       .present = {"tycoon.exe", "ttdlx.exe", "ttdx.exe", "ttdpatchw.exe"}, .accepted = false, .loadFailed = true,
       .started = "ttdx.exe"},
      {.name = "no game", .runType = 1, .present = {"ttdpatchw.exe"}, .changed = false,
       .script = {{"TTD executable file was not found.\nSet TTD directory in Settings.", Answer::Ok}},
       .started = nullptr},
      {.name = "no patch", .present = {"GameGFX.exe"}, .changed = false,
       .script = {{"TTDPatch executable file was not found.\nTTDPatch executable always have to be in TTD directory.",
                   Answer::Ok}},
       .started = nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunFixture f(c.present);
    if (c.saveAndRun) f.Put(setting::kSaveAndRun, *c.saveAndRun);
    if (c.runType) f.Put(setting::kRunType, *c.runType);
    f.manager.listGrfFiles.Add("newgrf/a.grf", GrfState::Active);
    f.manager.fileChanged = c.changed;
    f.manager.saveAccepted = c.accepted;
    f.manager.loadFailed = c.loadFailed;
    for (const auto& [text, answer] : c.script) {
      const bool ask = text == kAsk;
      f.platform.dialogs.Expect(ask ? MessageKind::Confirmation : text == kSaved ? MessageKind::Information
                                                                                 : MessageKind::Error,
                                text, ask ? MessageButtons::YesNoCancel : MessageButtons::Ok, answer);
    }
    f.manager.butnRunClick();
    EXPECT_EQ(c.saved, f.ttd.Exists("newgrfw.cfg") || f.ttd.Exists("newgrf.cfg"));
    EXPECT_EQ(c.started ? f.ttd.Join(c.started) + "||" + f.ttd.path() + ";" : "", f.Starts());
  }
}

TEST(butnRunClick, AFailingQuietSaveStartsNothingAndEndsTheQuietSave) {
  RunFixture f({"GameGFX.exe", "ttdpatchw.exe"});
  f.ttd.MakeDirectory("newgrfw.cfg");
  f.Put(setting::kSaveAndRun, 1);
  EXPECT_THROW(f.manager.butnRunClick(), OperationError);
  EXPECT_FALSE(f.manager.quietSave);
  EXPECT_EQ("", f.Starts());
}

TEST(butnNotepadClick, OpensTheWindowsEditionsFileFirst) {
  const struct {
    bool ttdPath;
    std::initializer_list<const char*> present;
    const char* opened;  // or the error text
  } cases[] = {
      {true, {"newgrf.cfg", "newgrfw.cfg", "tycoon.exe"}, "newgrfw.cfg"},
      {true, {"newgrf.cfg", "GameGFX.exe"}, "newgrf.cfg"},
      {true, {"GameGFX.exe"}, "newgrf.cfg or newgrfw.cfg file not found."},
      {false, {"newgrfw.cfg"}, "TTD directory not found."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.opened);
    RunFixture f(c.present, c.ttdPath);
    const bool found = std::string(c.opened).ends_with(".cfg");
    if (!found) f.platform.dialogs.Expect(MessageKind::Error, c.opened);
    f.manager.butnNotepadClick();
    EXPECT_EQ(found ? "notepad.exe|" + f.ttd.Join(c.opened) + "|;" : "", f.Starts());
  }
}

}  // namespace
}  // namespace kestrav
