#include <gtest/gtest.h>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using S = GrfState;

const char* const kSpriteLimit =
    "There are more active sprites than 11483!\n"
    "TTDPatch may not be able to load all graphics.\n"
    "That also depends on a game and climate you will play.\n"
    "Check that limit while playing in TTDPatch's 'New Graphic Status' window.\n"
    "Do you want to continue?";
const char* const kReplace = "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?";
const char* const kOld = "old content\r\n";
// The fixture's list, one entry of each state.
const char* const kSaved = "newgrf/a.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf 3\r\n";

struct SaveFixture : test::ManagerFixture {
  explicit SaveFixture(const char* executable = "GameGFX.exe") {
    UseTtdDirectory();
    ttd.Write(executable, "");
    manager.listGrfFiles.Add("newgrf/a.grf 1 2", S::Active);
    manager.listGrfFiles.Add("newgrf/b.grf 0", S::Inactive);
    manager.listGrfFiles.Add("newgrf/c.grf 3", S::Off);
    manager.fileChanged = true;
    manager.saveAccepted = false;
  }
  void Save() {
    manager.butnGRFSaveClick();
    EXPECT_TRUE(platform.dialogs.Done());
  }
};

TEST(butnGRFSaveClick, WritesTheEditionsFileAfterTheQuestionAndSaysSo) {
  const struct {
    const char* name;
    const char* executable;
    const char* existing;          // a configuration file there before, with kOld
    std::optional<Answer> answer;  // to the replace question; nothing: not asked
    const char* written;           // nothing: no file is written
    bool quiet = false;
    std::optional<int> noOverwriteConfirmation = std::nullopt;
  } cases[] = {
      {"Windows, no file yet", "GameGFX.exe", nullptr, std::nullopt, "newgrfw.cfg"},
      {"DOS, no file yet", "tycoon.exe", nullptr, std::nullopt, "newgrf.cfg"},
      {"Windows beside the DOS file", "GameGFX.exe", "newgrf.cfg", Answer::Yes, "newgrfw.cfg"},
      {"No at the question", "GameGFX.exe", "newgrfw.cfg", Answer::No, nullptr},
      {"unknown edition", "ttd.exe", nullptr, std::nullopt, nullptr},
      {"unknown edition, after the question", "ttd.exe", "newgrfw.cfg", Answer::Yes, nullptr},
      {"confirmation set to 0", "GameGFX.exe", "newgrfw.cfg", Answer::Yes, "newgrfw.cfg", false, 0},
      {"confirmation set to 1: neither asked nor told", "GameGFX.exe", "newgrfw.cfg", std::nullopt, "newgrfw.cfg",
       false, 1},
      {"quiet: neither asked nor told", "GameGFX.exe", "newgrfw.cfg", std::nullopt, "newgrfw.cfg", true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SaveFixture f(c.executable);
    if (c.existing) f.ttd.Write(c.existing, kOld);
    if (c.noOverwriteConfirmation) f.Put(setting::kNoOverwriteConfirmation, *c.noOverwriteConfirmation);
    f.manager.quietSave = c.quiet;
    auto& dialogs = f.platform.dialogs;
    if (c.answer) dialogs.Expect(MessageKind::Confirmation, kReplace, MessageButtons::YesNo, *c.answer);
    if (c.answer != Answer::No && !c.written) {
      dialogs.Expect(MessageKind::Error, "Kestrav can't recognize your TTD version.");
    }
    if (c.written && !c.quiet && c.noOverwriteConfirmation != 1) {
      dialogs.Expect(MessageKind::Information, std::string("'") + c.written + "' saved");
    }
    f.Save();
    for (const std::string file : {"newgrf.cfg", "newgrfw.cfg"}) {
      const bool written = c.written && file == c.written, existed = c.existing && file == c.existing;
      EXPECT_EQ(written ? kSaved : existed ? kOld : "(none)", f.ttd.Exists(file) ? f.ttd.Read(file) : "(none)") << file;
    }
    EXPECT_FALSE(f.manager.fileChanged);
    EXPECT_TRUE(f.manager.saveAccepted);
  }
}

TEST(butnGRFSaveClick, AsksAboutTheSpriteLimitAboveElevenThousandFourHundredEightyThree) {
  const struct {
    int total, inactive;
    bool quiet;
    std::optional<Answer> answer;  // nothing: no question
    bool written;
  } cases[] = {
      {11483, 0, false, std::nullopt, true},    {20000, 8517, false, std::nullopt, true},
      {11484, 0, false, Answer::No, false},     {11484, 0, false, Answer::Yes, true},
      {20000, 8516, false, Answer::No, false},  {11484, 0, true, Answer::No, false},
      {11484, 0, true, Answer::Yes, true},      {2147483647, -2147483647 - 1, false, Answer::No, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.total) + " - " + std::to_string(c.inactive) + (c.quiet ? " quiet" : ""));
    SaveFixture f;
    f.manager.spritesTotal = c.total;
    f.manager.spritesInactive = c.inactive;
    f.manager.quietSave = c.quiet;
    if (c.answer) f.platform.dialogs.Expect(MessageKind::Warning, kSpriteLimit, MessageButtons::YesNo, *c.answer);
    if (c.written && !c.quiet) f.platform.dialogs.Expect(MessageKind::Information, "'newgrfw.cfg' saved");
    f.Save();
    EXPECT_EQ(c.written, f.ttd.Exists("newgrfw.cfg"));
    EXPECT_EQ(!c.written, f.manager.fileChanged);
    EXPECT_EQ(c.written, f.manager.saveAccepted);
  }
}

}  // namespace
}  // namespace kestrav
