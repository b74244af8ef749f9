// Run Game and Open in Notepad: the saves before the run, what is started and the refusals.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using K = MessageKind;

const char* const kAsk =
    "File changed.\nDo you want to save it?\nPress 'Yes' to save and run game,\n'No' to run without saving,\n"
    "or 'Cancel' to not run.";
const char* const kLimit =
    "There are more active sprites than 11483!\nTTDPatch may not be able to load all graphics.\nThat also depends "
    "on a game and climate you will play.\nCheck that limit while playing in TTDPatch's 'New Graphic Status' "
    "window.\nDo you want to continue?";
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
    bool changed = true, overLimit = false, loadFailed = false;
    std::vector<std::pair<const char*, Answer>> script = {};  // the run question, the limit, the saved message
    bool saved = false;
    const char* started = "ttdpatchw.exe";
  } cases[] = {
      {.name = "unchanged", .present = installed, .changed = false},
      {.name = "Yes saves", .present = installed, .script = {{kAsk, Answer::Yes}, {kSaved, Answer::Ok}}, .saved = true},
      {.name = "No runs unsaved", .saveAndRun = 0, .present = installed, .script = {{kAsk, Answer::No}}},
      {.name = "Cancel", .saveAndRun = 2, .present = installed, .script = {{kAsk, Answer::Cancel}}, .started = nullptr},
      {.name = "quiet save", .saveAndRun = 1, .present = installed, .saved = true},
      {.name = "quiet save refused at the limit", .saveAndRun = 1, .present = installed, .overLimit = true,
       .script = {{kLimit, Answer::No}}, .started = nullptr},
      {.name = "save refused at the limit", .saveAndRun = 0, .present = installed, .overLimit = true,
       .script = {{kAsk, Answer::Yes}, {kLimit, Answer::No}}, .started = nullptr},
      {.name = "after a failed load", .saveAndRun = 1, .present = installed, .overLimit = true, .loadFailed = true},
      {.name = "the second patch", .runType = 0, .present = {"ttdpatch.exe", "GameGFX.exe"}, .changed = false,
       .started = "ttdpatch.exe"},
      {.name = "the game", .runType = 7, .present = {"tycoon.exe", "ttdlx.exe", "ttdx.exe", "ttdpatchw.exe"},
       .changed = false, .started = "ttdx.exe"},
      {.name = "the first game", .runType = 1, .present = {"tycoon.exe", "ttdlx.exe", "GameGFX.exe"}, .changed = false,
       .started = "GameGFX.exe"},
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
    f.manager.loadFailed = c.loadFailed;
    f.manager.spritesTotal = c.overLimit ? 11484 : 0;
    for (const auto& [text, answer] : c.script) {
      const bool ask = text == kAsk, limit = text == kLimit;
      f.platform.dialogs.Expect(ask ? K::Confirmation : limit ? K::Warning : text == kSaved ? K::Information : K::Error,
                                text,
                                ask ? MessageButtons::YesNoCancel : limit ? MessageButtons::YesNo : MessageButtons::Ok,
                                answer);
    }
    f.manager.butnRunClick();
    if (c.saveAndRun == 0 && c.overLimit) f.manager.butnRunClick();  // no save since the refusal: nothing asked
    EXPECT_EQ(c.saved, f.ttd.Exists("newgrfw.cfg"));
    EXPECT_FALSE(f.manager.quietSave);
    EXPECT_EQ(c.started ? f.ttd.Join(c.started) + "||" + f.ttd.path() + ";" : "", f.Starts());
  }
}

TEST(butnRunClick, AFailingQuietSaveStartsNothing) {
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
    if (!found) f.platform.dialogs.Expect(K::Error, c.opened);
    f.manager.butnNotepadClick();
    EXPECT_EQ(found ? "notepad.exe|" + f.ttd.Join(c.opened) + "|;" : "", f.Starts());
  }
}

}  // namespace
}  // namespace kestrav
