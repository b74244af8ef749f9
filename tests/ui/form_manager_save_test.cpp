#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "platform/operation_error.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using test::ManagerFixture;
using S = GrfState;

const char* const kSpriteLimit =
    "There are more active sprites than 11483!\n"
    "TTDPatch may not be able to load all graphics.\n"
    "That also depends on a game and climate you will play.\n"
    "Check that limit while playing in TTDPatch's 'New Graphic Status' window.\n"
    "Do you want to continue?";
const char* const kReplace = "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?";

const char* const kOld = "old content\r\n";

// One entry of each state, in the order they are saved.
void FillList(GrfCheckList& list) {
  list.Add("newgrf/a.grf 1 2", S::Active);
  list.Add("newgrf/b.grf 0", S::Inactive);
  list.Add("newgrf/c.grf 3", S::Off);
}
const char* const kSaved = "newgrf/a.grf 1 2\r\nnewgrf/b.grf !\r\n#DISABLED#newgrf/c.grf 3\r\n";

struct SaveFixture : ManagerFixture {
  SaveFixture() {
    UseTtdDirectory();
    FillList(manager.listGrfFiles);
    manager.fileChanged = true;
    manager.saveAccepted = false;
  }
  void ExpectReplace(Answer answer) {
    platform.dialogs.Expect(MessageKind::Confirmation, kReplace, MessageButtons::YesNo, answer);
  }
  void ExpectSaved(const char* name) {
    platform.dialogs.Expect(MessageKind::Information, std::string("'") + name + "' saved");
  }
  void Save() {
    manager.butnGRFSaveClick();
    EXPECT_TRUE(platform.dialogs.Done());
  }
};

TEST(butnGRFSaveClick, WritesTheEditionsFileAfterTheQuestionAndSaysSo) {
  const struct {
    const char* name;
    std::vector<std::string> executables;  // a trailing "/" makes a directory of that name
    std::vector<std::string> existing;     // configuration files there before, with kOld
    Answer answer;                         // to the replace question, asked when one exists
    bool emptyList;
    const char* written;  // nothing: no file is written
  } cases[] = {
      {"Windows, no file yet", {"GameGFX.exe"}, {}, Answer::Yes, false, "newgrfw.cfg"},
      {"DOS tycoon.exe, no file yet", {"tycoon.exe"}, {}, Answer::Yes, false, "newgrf.cfg"},
      {"DOS ttdlx.exe", {"ttdlx.exe"}, {"newgrf.cfg"}, Answer::Yes, false, "newgrf.cfg"},
      {"Windows with an old file", {"GameGFX.exe"}, {"newgrfw.cfg"}, Answer::Yes, false, "newgrfw.cfg"},
      {"DOS with only newgrfw.cfg", {"tycoon.exe"}, {"newgrfw.cfg"}, Answer::Yes, false, "newgrf.cfg"},
      {"Windows with only newgrf.cfg", {"GameGFX.exe"}, {"newgrf.cfg"}, Answer::Yes, false, "newgrfw.cfg"},
      {"both editions", {"GameGFX.exe", "ttdx.exe"}, {"newgrf.cfg", "newgrfw.cfg"}, Answer::Yes, false, "newgrfw.cfg"},
      {"an empty list writes zero bytes", {"GameGFX.exe"}, {"newgrfw.cfg"}, Answer::Yes, true, "newgrfw.cfg"},
      {"No at the question", {"GameGFX.exe"}, {"newgrf.cfg"}, Answer::No, false, nullptr},
      {"Cancel at the question", {"GameGFX.exe"}, {"newgrf.cfg"}, Answer::Cancel, false, nullptr},
      {"unknown edition", {"ttd.exe", "ttdpatch.exe", "GameGFX.exe/"}, {}, Answer::Yes, false, nullptr},
      {"unknown edition, a file there", {"ttd.exe"}, {"newgrfw.cfg"}, Answer::Yes, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SaveFixture f;
    if (c.emptyList) f.manager.listGrfFiles.Clear();
    for (const auto& exe : c.executables) {
      if (exe.back() == '/') {
        f.ttd.MakeDirectory(exe);
      } else {
        f.ttd.Write(exe, "");
      }
    }
    for (const auto& file : c.existing) f.ttd.Write(file, kOld);
    if (!c.existing.empty()) f.ExpectReplace(c.answer);
    const bool unknown = std::string(c.name).starts_with("unknown");
    if (unknown) f.platform.dialogs.Expect(MessageKind::Error, "Kestrav can't recognize your TTD version.");
    if (c.written) f.ExpectSaved(c.written);
    f.Save();
    // The other edition's file is left as it was, or not made.
    for (const std::string file : {"newgrf.cfg", "newgrfw.cfg"}) {
      const bool existed = std::count(c.existing.begin(), c.existing.end(), file) > 0;
      const std::string expected = c.written && file == c.written ? (c.emptyList ? "" : kSaved)
                                   : existed                      ? kOld
                                                                  : "(none)";
      EXPECT_EQ(expected, f.ttd.Exists(file) ? f.ttd.Read(file) : "(none)") << file;
    }
    EXPECT_FALSE(f.manager.fileChanged);
    EXPECT_TRUE(unknown || f.manager.saveAccepted);
  }
}

TEST(butnGRFSaveClick, AskingAndReportingAreLeftOutWithoutConfirmationOrInAQuietSave) {
  struct Case {
    const char* name;
    bool quiet;
    std::optional<std::uint32_t> noOverwriteConfirmation;
    bool asks;
  };
  const Case cases[] = {
      {"setting absent", false, std::nullopt, true},
      {"setting 0", false, 0, true},
      {"setting 1", false, 1, false},
      {"quiet save", true, std::nullopt, false},
      {"quiet save with setting 0", true, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SaveFixture f;
    f.ttd.Write("GameGFX.exe", "");
    f.ttd.Write("newgrfw.cfg", kOld);
    if (c.noOverwriteConfirmation) {
      test::PutDword(f.platform.registry, setting::kNoOverwriteConfirmation, *c.noOverwriteConfirmation);
    }
    f.manager.quietSave = c.quiet;
    if (c.asks) {
      f.ExpectReplace(Answer::Yes);
      f.ExpectSaved("newgrfw.cfg");
    }
    f.Save();
    EXPECT_EQ(kSaved, f.ttd.Read("newgrfw.cfg"));
    EXPECT_FALSE(f.manager.fileChanged);
    EXPECT_EQ(c.quiet, f.manager.quietSave);
  }
}

TEST(butnGRFSaveClick, AsksAboutTheSpriteLimitAboveElevenThousandFourHundredEightyThree) {
  struct Case {
    int total;
    int inactive;
    bool quiet;
    std::optional<Answer> answer;  // nothing: no question
    bool written;
  };
  const Case cases[] = {
      {11483, 0, false, std::nullopt, true},
      {20000, 8517, false, std::nullopt, true},
      {11484, 0, false, Answer::No, false},
      {11484, 0, false, Answer::Yes, true},
      {20000, 8516, false, Answer::No, false},
      {11484, 0, true, Answer::No, false},
      {11484, 0, true, Answer::Yes, true},
      {2147483647, -2147483647 - 1, false, Answer::No, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.total) + " - " + std::to_string(c.inactive) + (c.quiet ? " quiet" : ""));
    SaveFixture f;
    f.ttd.Write("GameGFX.exe", "");
    f.manager.spritesTotal = c.total;
    f.manager.spritesInactive = c.inactive;
    f.manager.quietSave = c.quiet;
    if (c.answer) f.platform.dialogs.Expect(MessageKind::Warning, kSpriteLimit, MessageButtons::YesNo, *c.answer);
    if (c.written && !c.quiet) f.ExpectSaved("newgrfw.cfg");
    f.Save();
    EXPECT_EQ(c.written, f.ttd.Exists("newgrfw.cfg"));
    EXPECT_EQ(!c.written, f.manager.fileChanged);
    EXPECT_EQ(c.written, f.manager.saveAccepted);
  }
}

TEST(butnGRFSaveClick, AFailedWriteKeepsTheChangedFlagAndTheOtherFile) {
  SaveFixture f;
  f.ttd.Write("tycoon.exe", "");
  f.ttd.Write("newgrfw.cfg", kOld);
  f.ttd.MakeDirectory("newgrf.cfg");  // the file to write cannot be made
  f.ExpectReplace(Answer::Yes);
  try {
    f.manager.butnGRFSaveClick();
    ADD_FAILURE() << "no error";
  } catch (const OperationError& error) {
    EXPECT_EQ("Cannot create file " + f.ttd.path() + "\\newgrf.cfg", std::string(error.what()));
  }
  EXPECT_TRUE(f.platform.dialogs.Done());
  EXPECT_TRUE(f.manager.fileChanged);
  EXPECT_TRUE(f.manager.saveAccepted);
  EXPECT_EQ(kOld, f.ttd.Read("newgrfw.cfg"));
}

}  // namespace
}  // namespace kestrav
