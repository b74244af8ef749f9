// The sprite totals and the save that checks them against the patch's limit.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using S = GrfState;

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
      {.name = "at the sprite limit", .total = 11483},
      {.name = "above it", .total = 11484, .limit = Answer::No, .after = "-|-"},
      {.name = "above it, Yes", .total = 11484, .limit = Answer::Yes},
      {.name = "above with the inactive ones", .total = 20000, .inactive = 8516, .limit = Answer::No, .after = "-|-"},
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
  for (const char* shown : {"newgrf/first.grf", "newgrf/sub/second.grf", "newgrf/folder.grf", "newgrf/first.grf"}) {
    f.platform.dialogs.Expect(MessageKind::Error, std::string("Cannot find file:\n") + shown);
  }
  f.manager.spritesTotal = 7;
  f.manager.CountAllSprites(true, 0);
  f.ExpectTotals(30, 20);
  // A click on a missing file reports it again and leaves the totals.
  f.manager.listGrfFiles.Toggle(0);
  f.manager.CountAllSprites(false, 0);
  f.ExpectTotals(30, 20);
}

}  // namespace
}  // namespace kestrav
