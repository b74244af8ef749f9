#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string_view>

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

TEST(butnGRFSaveClick, WritesTheEditionsFileAndSaysSo) {
  struct Case {
    const char* name;
    std::vector<const char*> executables;
    std::vector<std::string_view> existing;  // configuration files there before, with kOld
    const char* written;
  };
  const Case cases[] = {
      {"Windows, no file yet", {"GameGFX.exe"}, {}, "newgrfw.cfg"},
      {"DOS tycoon.exe, no file yet", {"tycoon.exe"}, {}, "newgrf.cfg"},
      {"DOS ttdlx.exe", {"ttdlx.exe"}, {"newgrf.cfg"}, "newgrf.cfg"},
      {"Windows with an old file", {"GameGFX.exe"}, {"newgrfw.cfg"}, "newgrfw.cfg"},
      {"DOS with only newgrfw.cfg", {"tycoon.exe"}, {"newgrfw.cfg"}, "newgrf.cfg"},
      {"Windows with only newgrf.cfg", {"GameGFX.exe"}, {"newgrf.cfg"}, "newgrfw.cfg"},
      {"both editions' executables", {"GameGFX.exe", "ttdx.exe"}, {"newgrf.cfg", "newgrfw.cfg"}, "newgrfw.cfg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SaveFixture f;
    for (const char* exe : c.executables) f.ttd.Write(exe, "");
    for (const auto file : c.existing) f.ttd.Write(std::string(file), kOld);
    if (!c.existing.empty()) f.ExpectReplace(Answer::Yes);
    f.ExpectSaved(c.written);
    f.Save();
    EXPECT_EQ(kSaved, f.ttd.Read(c.written));
    // The other edition's file is left as it was, or not made.
    for (const char* other : {"newgrf.cfg", "newgrfw.cfg"}) {
      if (std::string(other) == c.written) continue;
      const bool existed = std::count(c.existing.begin(), c.existing.end(), std::string_view(other)) > 0;
      EXPECT_EQ(existed ? kOld : "(none)", f.ttd.Exists(other) ? f.ttd.Read(other) : "(none)") << other;
    }
    EXPECT_FALSE(f.manager.fileChanged);
    EXPECT_TRUE(f.manager.saveAccepted);
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

TEST(butnGRFSaveClick, NoAtTheReplaceQuestionWritesNothingButClearsTheChangedFlag) {
  for (const Answer answer : {Answer::No, Answer::Cancel}) {
    SaveFixture f;
    f.ttd.Write("GameGFX.exe", "");
    f.ttd.Write("newgrf.cfg", kOld);
    f.ExpectReplace(answer);
    f.Save();
    EXPECT_EQ(kOld, f.ttd.Read("newgrf.cfg"));
    EXPECT_FALSE(f.ttd.Exists("newgrfw.cfg"));
    EXPECT_FALSE(f.manager.fileChanged);
    EXPECT_TRUE(f.manager.saveAccepted);
  }
}

TEST(butnGRFSaveClick, AnUnknownEditionIsReportedAndClearsTheChangedFlag) {
  for (const bool existing : {false, true}) {
    SaveFixture f;
    f.ttd.Write("ttd.exe", "");
    f.ttd.Write("ttdpatch.exe", "");
    f.ttd.MakeDirectory("GameGFX.exe");
    if (existing) {
      f.ttd.Write("newgrfw.cfg", kOld);
      f.ExpectReplace(Answer::Yes);
    }
    f.platform.dialogs.Expect(MessageKind::Error, "Kestrav can't recognize your TTD version.");
    f.Save();
    EXPECT_EQ(existing ? kOld : "(none)", f.ttd.Exists("newgrfw.cfg") ? f.ttd.Read("newgrfw.cfg") : "(none)");
    EXPECT_FALSE(f.ttd.Exists("newgrf.cfg"));
    EXPECT_FALSE(f.manager.fileChanged);
  }
}

TEST(butnGRFSaveClick, AnEmptyListWritesAZeroByteFile) {
  SaveFixture f;
  f.manager.listGrfFiles.Clear();
  f.ttd.Write("GameGFX.exe", "");
  f.ttd.Write("newgrfw.cfg", kOld);
  f.ExpectReplace(Answer::Yes);
  f.ExpectSaved("newgrfw.cfg");
  f.Save();
  EXPECT_TRUE(f.ttd.Exists("newgrfw.cfg"));
  EXPECT_EQ("", f.ttd.Read("newgrfw.cfg"));
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
