// The sprite totals and the save that checks them against the patch's limit.
#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using S = GrfState;

const char* const kOld = "old content\r\n";

struct SaveFixture : test::ManagerFixture {
  explicit SaveFixture(const char* executable = "GameGFX.exe") {
    UseTtdDirectory();
    ttd.Write(executable, "");
    Add({{"newgrf/a.grf 1 2", S::Active}, {"newgrf/b.grf 0", S::Inactive}, {"newgrf/c.grf 3", S::Off}});
    manager.fileChanged = true;
    manager.saveAccepted = false;
  }
};

TEST(butnGRFSaveClick, WritesTheEditionsFileAfterTheQuestionAndSaysSo) {
  // What, the game's executable, a configuration there before (with kOld), the answer to the
  // replace question (nothing: not asked), the file written (nothing: none), quiet, and the
  // value of "NoOverwriteConfirmation" (-1: none).
  const std::tuple<const char*, const char*, const char*, std::optional<Answer>, const char*, bool, int> cases[] = {
      {"Windows, no file yet", "GameGFX.exe", nullptr, std::nullopt, "newgrfw.cfg", false, -1},
      {"DOS, no file yet", "tycoon.exe", nullptr, std::nullopt, "newgrf.cfg", false, -1},
      {"Windows beside the DOS file", "GameGFX.exe", "newgrf.cfg", Answer::Yes, "newgrfw.cfg", false, -1},
      {"No at the question", "GameGFX.exe", "newgrfw.cfg", Answer::No, nullptr, false, -1},
      {"unknown edition", "ttd.exe", nullptr, std::nullopt, nullptr, false, -1},
      {"confirmation set to 1: neither asked nor told", "GameGFX.exe", "newgrfw.cfg", std::nullopt, "newgrfw.cfg",
       false, 1},
      {"quiet: neither asked nor told", "GameGFX.exe", "newgrfw.cfg", std::nullopt, "newgrfw.cfg", true, 0},
  };
  for (const auto& [what, executable, existing, answer, written, quiet, confirmation] : cases) {
    SaveFixture f(executable);
    if (existing) f.ttd.Write(existing, kOld);
    if (confirmation >= 0) f.Put(setting::kNoOverwriteConfirmation, confirmation);
    f.manager.quietSave = quiet;
    auto& dialogs = f.platform.dialogs;
    if (answer) {
      dialogs.Expect(MessageKind::Confirmation,
                     "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?", MessageButtons::YesNo,
                     *answer);
    }
    if (answer != Answer::No && !written) dialogs.Expect(MessageKind::Error, "Kestrav can't recognize your TTD version.");
    if (written && !quiet && confirmation != 1) {
      dialogs.Expect(MessageKind::Information, std::string("'") + written + "' saved");
    }
    f.manager.butnGRFSaveClick();
    std::string files;
    for (const std::string file : {"newgrf.cfg", "newgrfw.cfg"}) files += f.ttd.Exists(file) ? f.ttd.Read(file) : "-;";
    const auto content = [&](const char* file) {
      return written && file == std::string(written) ? "newgrf/a.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf 3\r\n"
             : existing && file == std::string(existing) ? kOld : "-;";
    };
    EXPECT_EQ(std::tuple(content("newgrf.cfg") + std::string(content("newgrfw.cfg")), false, true),
              std::tuple(files, f.manager.fileChanged, f.manager.saveAccepted))
        << what;
  }
}

TEST(butnGRFSaveClick, AsksAboutTheSpriteLimitAboveElevenThousandFourHundredEightyThree) {
  const struct {
    int total, inactive;
    bool quiet;
    std::optional<Answer> answer;  // nothing: no question
  } cases[] = {
      {11483, 0, false, std::nullopt}, {11484, 0, false, Answer::No},     {11484, 0, false, Answer::Yes},
      {20000, 8516, false, Answer::No}, {11484, 0, true, Answer::Yes},    {2147483647, -2147483647 - 1, false, Answer::No},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.total) + " - " + std::to_string(c.inactive) + (c.quiet ? " quiet" : ""));
    SaveFixture f;
    f.manager.spritesTotal = c.total;
    f.manager.spritesInactive = c.inactive;
    f.manager.quietSave = c.quiet;
    const bool written = c.answer != Answer::No;
    if (c.answer) {
      f.platform.dialogs.Expect(MessageKind::Warning,
                                "There are more active sprites than 11483!\nTTDPatch may not be able to load all "
                                "graphics.\nThat also depends on a game and climate you will play.\nCheck that limit "
                                "while playing in TTDPatch's 'New Graphic Status' window.\nDo you want to continue?",
                                MessageButtons::YesNo, *c.answer);
    }
    if (written && !c.quiet) f.platform.dialogs.Expect(MessageKind::Information, "'newgrfw.cfg' saved");
    f.manager.butnGRFSaveClick();
    EXPECT_EQ(std::tuple(written, !written, written),
              std::tuple(f.ttd.Exists("newgrfw.cfg"), f.manager.fileChanged, f.manager.saveAccepted));
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
