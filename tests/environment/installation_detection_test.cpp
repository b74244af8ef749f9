// The rules of the version probe with a scripted patch; the real start of a stand-in patch
// under Wine is in tests/win32/probe_test.cpp.
#include "environment/installation_detection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <vector>

#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kestrav {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(PatchVersion, ReadsTheLeadingHexNumberSaturatedAndOffersInactiveEntriesFromMajorTwo) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"0x1F", 31}, {"1f", 31}, {" 1F", 31}, {"\t\r\n 0X1f", 31}, {"+0X10", 16}, {"-0x10", -16}, {"-1", -1},
      {"1fz9", 31}, {"1 2", 1}, {"0000000000000000000000000000001F", 31}, {"7FFFFFFF", kMax},
      {"-80000000", kMin}, {"80000000", kMax}, {"-80000001", kMin}, {"0xFFFFFFFF", kMax},
      {"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", kMax}, {"-FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", kMin},
      {"zz", 0}, {"", 0}, {"0x", 0}, {"0xg1", 0}, {"0x0x1", 0}, {"x1", 0}, {"+-1", 0}, {"- 1", 0}, {"-", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(value, ParseHexInteger(text)) << '"' << text << '"';
  for (const auto& [version, inactive] : {std::pair{0x02000000, true}, {0x020A012C, true}, {kMax, true},
                                          {0x01FFFFFF, false}, {0, false}, {-1, false}, {kMin, false}}) {
    EXPECT_EQ(inactive, PatchSupportsInactive(version)) << std::hex << version;
  }
}

TEST(Installation, RecognisesTheEditionAndChoosesThePatch) {
  const struct {
    std::vector<std::string> files, directories;
    std::optional<TtdEdition> edition;
    std::string patch;
  } cases[] = {
      {{"GameGFX.exe", "ttdx.exe", "ttdpatchw.exe"}, {}, TtdEdition::Windows, "ttdpatchw.exe"},
      {{"GAMEGFX.EXE", "TTDPATCH.EXE"}, {}, TtdEdition::Windows, "ttdpatch.exe"},
      {{"ttdlx.exe", "ttdpatchw.exe", "ttdpatch.exe"}, {}, TtdEdition::Dos, "ttdpatch.exe"},
      {{"tycoon.exe"}, {"ttdpatch.exe"}, TtdEdition::Dos, ""},
      {{"ttdx.exe"}, {"GameGFX.exe"}, TtdEdition::Dos, ""},
      {{"ttd.exe"}, {"GameGFX.exe"}, std::nullopt, ""},
  };
  auto files = MakeSystemAdapters().files;
  for (const auto& c : cases) {
    test::TempDir dir;
    for (const auto& name : c.files) dir.Write(name, "MZ");
    for (const auto& name : c.directories) dir.MakeDirectory(name);
    EXPECT_EQ(c.edition, RecogniseEdition(*files, dir.path())) << testing::PrintToString(c.files);
    EXPECT_EQ(c.patch, FindPatchExecutable(*files, dir.path())) << testing::PrintToString(c.files);
  }
}

class ProbeTest : public ::testing::Test {
 protected:
  test::TempDir ttd;
  test::TestPlatform platform;
  std::vector<test::FakeProcessRunner::Run>& runs = platform.processes.runs;
};

// A box is shown for a failed start only (the scripted dialogs fail on any other).
TEST_F(ProbeTest, StartsThePatchByItsOwnPathOrSaysItCouldNot) {
  // Without a patch nothing is started that a search of the command line could find.
  for (const bool before : {true, false}) {
    platform.dialogs.Expect(MessageKind::Error, "Kestrav could not create process!");
    bool inactiveAvailable = before;
    ProbePatchVersion(platform.ports, ttd.path(), inactiveAvailable);
    EXPECT_EQ(before, inactiveAvailable);
  }
  ttd.Write("ttdpatchw.exe", "MZ");
  ttd.Write("ttdpatch.exe", "MZ");
  // A list that cannot be deleted is left as it is.
  ttd.Write("switches.xml", "<switches");
  namespace fs = std::filesystem;
  fs::permissions(fs::path(ttd.path()) / "switches.xml",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
  platform.processes.onRun = [](const std::string&) { return ProcessOutcome::Exited; };
  bool inactiveAvailable = true;
  ProbePatchVersion(platform.ports, ttd.path(), inactiveAvailable, 300);
  EXPECT_TRUE(inactiveAvailable);
  EXPECT_TRUE(ttd.Exists("switches.xml"));
  ASSERT_EQ(3u, runs.size());
  EXPECT_EQ("", runs[0].program);
  EXPECT_EQ(10000u, runs[0].waitMs);
  EXPECT_EQ(ttd.Join("ttdpatch.exe"), runs[2].program);
  EXPECT_EQ(ttd.Join("ttdpatch.exe") + " -!S-", runs[2].commandLine);
  EXPECT_EQ(300u, runs[2].waitMs);
}

TEST_F(ProbeTest, TheVersionInTheFreshSwitchListDecidesAndTheListIsDeleted) {
  ttd.Write("ttdpatch.exe", "MZ");
  const auto list = [](const std::string& id) {
    return "<?xml version=\"1.0\"?>\r\n<switches ID=\"" + id + "\">\r\n</switches>\r\n";
  };
  const struct {
    std::optional<std::string> written;  // nothing: the patch writes no list
    ProcessOutcome outcome;
    bool before, after;
  } cases[] = {
      {list("0x0207012C"), ProcessOutcome::Exited, false, true},
      {list("0x01FF0000"), ProcessOutcome::Exited, true, false},
      {list("zz"), ProcessOutcome::Exited, true, false},
      // A patch still running after the wait is read if its list is there.
      {list("0x0207012C"), ProcessOutcome::StillRunning, false, true},
      {std::nullopt, ProcessOutcome::StillRunning, false, false},
      // Without a readable list the flag stays as it was.
      {std::nullopt, ProcessOutcome::Exited, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written.value_or("(no list)"));
    // A list left from before, which would turn the flag: gone before the patch starts.
    ttd.Write("switches.xml", list(c.before ? "0x01000000" : "0x02000000"));
    bool staleAtStart = true;
    platform.processes.onRun = [&](const std::string&) {
      staleAtStart = ttd.Exists("switches.xml");
      if (c.written) ttd.Write("switches.xml", *c.written);
      return c.outcome;
    };
    bool inactiveAvailable = c.before;
    ProbePatchVersion(platform.ports, ttd.path(), inactiveAvailable);
    EXPECT_EQ(c.after, inactiveAvailable);
    EXPECT_FALSE(staleAtStart);
    EXPECT_FALSE(ttd.Exists("switches.xml"));
  }
}

}  // namespace
}  // namespace kestrav
