// Run Game and Open in Notepad: the saves before the run, what is started and the refusals.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

// Each start as "file|parameters|directory;".
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

}  // namespace
}  // namespace kestrav
