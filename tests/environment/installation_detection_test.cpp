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

TEST(ParseHexInteger, ReadsTheLeadingHexadecimalNumber) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"0x1F", 31},
      {"1f", 31},
      {" 1F", 31},
      {"\t\r\n 0X1f", 31},
      {"+0X10", 16},
      {"-0x10", -16},
      {"-1", -1},
      {"1fz9", 31},
      {"1 2", 1},
      {"0000000000000000000000000000001F", 31},
      {"7FFFFFFF", kMax},
      {"-80000000", kMin},
      {"80000000", kMax},
      {"-80000001", kMin},
      {"0xFFFFFFFF", kMax},
      {"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", kMax},
      {"-FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", kMin},
      {"zz", 0},
      {"", 0},
      {"0x", 0},
      {"0xg1", 0},
      {"0x0x1", 0},
      {"x1", 0},
      {"+-1", 0},
      {"- 1", 0},
      {"-", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value, ParseHexInteger(c.text)) << '"' << c.text << '"';
}

TEST(PatchVersion, SplitsIntoFieldsWithTheSignKeptInTheMajorNumber) {
  const struct {
    std::int32_t version;
    PatchVersionFields fields;
  } cases[] = {
      {0x02061234, {2, 0, 6, 0x1234}},
      {0x0209FFFF, {2, 0, 9, 0xFFFF}},
      {0x020A012C, {2, 0, 1, 300}},  // 2.0.10 and above are lowered by 9
      {0x020F0000, {2, 0, 6, 0}},
      {0x021A0000, {2, 1, 10, 0}},  // only within 2.0
      {0x030A0000, {3, 0, 10, 0}},
      {0x010A0000, {1, 0, 10, 0}},
      {0x01FF0000, {1, 15, 15, 0}},
      {0x7F000000, {127, 0, 0, 0}},
      {0, {0, 0, 0, 0}},
      {-1, {-1, 15, 15, 0xFFFF}},
      {kMin, {-128, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const PatchVersionFields fields = SplitPatchVersion(c.version);
    EXPECT_EQ(c.fields.major, fields.major) << std::hex << c.version;
    EXPECT_EQ(c.fields.first, fields.first) << std::hex << c.version;
    EXPECT_EQ(c.fields.second, fields.second) << std::hex << c.version;
    EXPECT_EQ(c.fields.build, fields.build) << std::hex << c.version;
  }
}

TEST(PatchVersion, InactiveEntriesNeedMajorNumberTwoOrMore) {
  const struct {
    std::int32_t version;
    bool supported;
  } cases[] = {
      {0x02000000, true}, {0x020A012C, true}, {0x03000000, true}, {0x7FFFFFFF, true},
      {0x01FFFFFF, false}, {0x01000000, false}, {0, false}, {-1, false}, {kMin, false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.supported, PatchSupportsInactive(c.version)) << std::hex << c.version;
  EXPECT_FALSE(PatchSupportsInactive(ParseHexInteger("zz")));
  EXPECT_EQ(-1, SplitPatchVersion(ParseHexInteger("-1")).major);
}

class InstallationTest : public ::testing::Test {
 protected:
  void Place(const std::vector<std::string>& files) {
    for (const auto& name : files) ttd.Write(name, "MZ");
  }

  test::TempDir ttd;
  test::TestPlatform platform;
  FileSystem& files = *platform.system.files;
};

TEST_F(InstallationTest, RecognisesTheEditionFromTheGameExecutables) {
  const struct {
    std::vector<std::string> files;
    std::vector<std::string> directories;
    std::optional<TtdEdition> edition;
  } cases[] = {
      {{"GameGFX.exe", "ttdx.exe"}, {}, TtdEdition::Windows},
      {{"GAMEGFX.EXE"}, {}, TtdEdition::Windows},
      {{"ttdlx.exe"}, {}, TtdEdition::Dos},
      {{"tycoon.exe"}, {}, TtdEdition::Dos},
      {{"ttdx.exe"}, {}, TtdEdition::Dos},
      {{"ttd.exe"}, {}, std::nullopt},
      {{}, {}, std::nullopt},
      {{}, {"GameGFX.exe"}, std::nullopt},
      {{"ttdx.exe"}, {"GameGFX.exe"}, TtdEdition::Dos},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    for (const auto& name : c.files) dir.Write(name, "MZ");
    for (const auto& name : c.directories) dir.MakeDirectory(name);
    EXPECT_EQ(c.edition, RecogniseEdition(files, dir.path())) << testing::PrintToString(c.files);
  }
}

TEST_F(InstallationTest, PrefersTtdpatchExeOverTtdpatchwExe) {
  EXPECT_EQ("", FindPatchExecutable(files, ttd.path()));
  ttd.MakeDirectory("ttdpatch.exe");
  EXPECT_EQ("", FindPatchExecutable(files, ttd.path()));
  Place({"ttdpatchw.exe"});
  EXPECT_EQ("ttdpatchw.exe", FindPatchExecutable(files, ttd.path()));
  test::TempDir both;
  both.Write("ttdpatchw.exe", "MZ");
  both.Write("ttdpatch.exe", "MZ");
  EXPECT_EQ("ttdpatch.exe", FindPatchExecutable(files, both.path()));
}

class ProbeTest : public InstallationTest {
 protected:
  // The patch run by the probe writes this switch list (nothing: it writes none).
  void PatchWrites(std::optional<std::string> list, ProcessOutcome outcome = ProcessOutcome::Exited) {
    platform.processes.onRun = [this, list, outcome](const std::string&) {
      staleAtStart = ttd.Exists("switches.xml");
      if (list) ttd.Write("switches.xml", *list);
      return outcome;
    };
  }
  bool Probe(bool inactiveAvailable) {
    ProbePatchVersion(platform.ports, ttd.path(), inactiveAvailable);
    return inactiveAvailable;
  }

  bool staleAtStart = false;
};

TEST_F(ProbeTest, StartsThePatchAloneInTheTtdDirectoryAndWaitsTenSeconds) {
  Place({"ttdpatchw.exe", "ttdpatch.exe"});
  PatchWrites(std::nullopt);
  Probe(true);
  ASSERT_EQ(1u, platform.processes.runs.size());
  EXPECT_EQ(ttd.path() + "\\ttdpatch.exe", platform.processes.runs[0].program);
  EXPECT_EQ(ttd.path() + "\\ttdpatch.exe -!S-", platform.processes.runs[0].commandLine);
  EXPECT_EQ(ttd.path(), platform.processes.runs[0].workingDirectory);
  EXPECT_EQ(10000u, platform.processes.runs[0].waitMs);

  test::TempDir windowsOnly;
  windowsOnly.Write("ttdpatchw.exe", "MZ");
  ProbePatchVersion(platform.ports, windowsOnly.path(), staleAtStart, 300);
  ASSERT_EQ(2u, platform.processes.runs.size());
  EXPECT_EQ(windowsOnly.path() + "\\ttdpatchw.exe -!S-", platform.processes.runs[1].commandLine);
  EXPECT_EQ(300u, platform.processes.runs[1].waitMs);
}

TEST_F(ProbeTest, WithoutAPatchTheStartFailsWithAMessageAndTheFlagStays) {
  for (const bool before : {true, false}) {
    platform.dialogs.Expect(MessageKind::Error, "Kestrav could not create process!");
    EXPECT_EQ(before, Probe(before));
  }
  ASSERT_EQ(2u, platform.processes.runs.size());
  // Nothing that could be found by a search of the command line is started.
  EXPECT_EQ("", platform.processes.runs[0].program);
  EXPECT_EQ(ttd.path() + "\\ -!S-", platform.processes.runs[0].commandLine);
}

TEST_F(ProbeTest, TheSystemsOwnRunnerReportsAMissingPatch) {
  Platform real{platform.ports.files, platform.ports.registry, platform.dialogs, *platform.system.processes,
                platform.ports.xml, platform.ports.screen, platform.ports.locale};
  bool inactiveAvailable = true;
  platform.dialogs.Expect(MessageKind::Error, "Kestrav could not create process!");
  ProbePatchVersion(real, ttd.path(), inactiveAvailable, 300);
  EXPECT_TRUE(inactiveAvailable);
}

TEST_F(ProbeTest, AStaleSwitchListIsDeletedBeforeThePatchStarts) {
  Place({"ttdpatch.exe"});
  ttd.Write("switches.xml", "<switches ID=\"0x0207012C\"/>");
  PatchWrites(std::nullopt);
  EXPECT_FALSE(Probe(false));
  EXPECT_FALSE(staleAtStart);
  EXPECT_FALSE(ttd.Exists("switches.xml"));

  ttd.Write("switches.xml", "<switches ID=\"0x01000000\"/>");
  PatchWrites("<switches ID=\"0x0207012C\"/>");
  EXPECT_TRUE(Probe(false));
  EXPECT_FALSE(staleAtStart);
}

TEST_F(ProbeTest, TheVersionDecidesWhetherInactiveEntriesAreOffered) {
  Place({"ttdpatch.exe"});
  const struct {
    const char* id;
    bool before, after;
  } cases[] = {
      {"0x0207012C", false, true}, {"03000000", false, true}, {"0x01FF0000", true, false},
      {"zz", true, false},         {"-1", true, false},       {"", true, false},
  };
  for (const auto& c : cases) {
    PatchWrites("<?xml version=\"1.0\"?>\r\n<switches ID=\"" + std::string(c.id) + "\">\r\n</switches>\r\n");
    EXPECT_EQ(c.after, Probe(c.before)) << c.id;
    EXPECT_FALSE(ttd.Exists("switches.xml")) << c.id;
  }
}

TEST_F(ProbeTest, APatchStillRunningAfterTheWaitIsReadIfItsListIsThere) {
  Place({"ttdpatch.exe"});
  PatchWrites("<switches ID=\"0x0207012C\"/>", ProcessOutcome::StillRunning);
  EXPECT_TRUE(Probe(false));
  PatchWrites(std::nullopt, ProcessOutcome::StillRunning);
  EXPECT_FALSE(Probe(false));
  EXPECT_TRUE(platform.dialogs.shown.empty());
}

TEST_F(ProbeTest, AnUnreadableSwitchListLeavesTheFlagAndIsDeleted) {
  Place({"ttdpatch.exe"});
  const char* lists[] = {
      "<?xml version=\"1.0\"?>\r\n<switches ID=\"0x0207012C\">\r\n  <swi",  // cut off while written
      "<?xml version=\"1.0\"?>\r\n<switches ID=\"0x0207012C\">",
      "<?xml version=\"1.0\"?>\r\n<!-- no switches -->\r\n",
      "<switches version=\"2.7\"><switch ID=\"0x0207012C\"/></switches>",
      "<switches id=\"0x0207012C\"/>",
      "<switches ID=\"0x0207012C\" ID=\"0x0207012C\"/>",
      "",
      "\x7F" "ELF\x01\x01\x01",
  };
  for (const char* list : lists) {
    for (const bool before : {true, false}) {
      PatchWrites(std::string(list));
      EXPECT_EQ(before, Probe(before)) << list;
      EXPECT_FALSE(ttd.Exists("switches.xml")) << list;
    }
  }
  EXPECT_TRUE(platform.dialogs.shown.empty());
}

TEST_F(ProbeTest, ASwitchListThatCannotBeDeletedIsNotReported) {
  Place({"ttdpatch.exe"});
  ttd.Write("switches.xml", "<switches");
  namespace fs = std::filesystem;
  fs::permissions(fs::path(ttd.path()) / "switches.xml",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
  PatchWrites(std::nullopt);
  EXPECT_TRUE(Probe(true));
  EXPECT_TRUE(ttd.Exists("switches.xml"));
  EXPECT_TRUE(platform.dialogs.shown.empty());
}

}  // namespace
}  // namespace kestrav
