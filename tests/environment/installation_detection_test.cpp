#include "environment/installation_detection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <tuple>
#include <vector>

#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kestrav {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(ParseHexInteger, ReadsTheLeadingHexadecimalNumberAndSaturates) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"0x1F", 31}, {"1f", 31}, {" 1F", 31}, {"\t\r\n 0X1f", 31}, {"+0X10", 16}, {"-0x10", -16}, {"-1", -1},
      {"1fz9", 31}, {"1 2", 1}, {"0000000000000000000000000000001F", 31}, {"7FFFFFFF", kMax},
      {"-80000000", kMin}, {"80000000", kMax}, {"-80000001", kMin}, {"0xFFFFFFFF", kMax},
      {"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", kMax}, {"-FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", kMin},
      {"zz", 0}, {"", 0}, {"0x", 0}, {"0xg1", 0}, {"0x0x1", 0}, {"x1", 0}, {"+-1", 0}, {"- 1", 0}, {"-", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(value, ParseHexInteger(text)) << '"' << text << '"';
}

TEST(PatchVersion, SplitsIntoFieldsAndOffersInactiveEntriesFromMajorNumberTwo) {
  const struct {
    std::int32_t version;
    int major, first, second, build;
    bool inactive;
  } cases[] = {
      {0x02061234, 2, 0, 6, 0x1234, true},
      {0x0209FFFF, 2, 0, 9, 0xFFFF, true},
      {0x020A012C, 2, 0, 1, 300, true},  // 2.0.10 and above are lowered by 9
      {0x020F0000, 2, 0, 6, 0, true},
      {0x021A0000, 2, 1, 10, 0, true},  // only within 2.0
      {0x030A0000, 3, 0, 10, 0, true},
      {0x7FFFFFFF, 127, 15, 15, 0xFFFF, true},
      {0x010A0000, 1, 0, 10, 0, false},
      {0x01FFFFFF, 1, 15, 15, 0xFFFF, false},
      {0, 0, 0, 0, 0, false},
      {-1, -1, 15, 15, 0xFFFF, false},
      {kMin, -128, 0, 0, 0, false},
  };
  for (const auto& c : cases) {
    const PatchVersionFields f = SplitPatchVersion(c.version);
    EXPECT_EQ(std::tuple(c.major, c.first, c.second, c.build), std::tuple(f.major, f.first, f.second, f.build))
        << std::hex << c.version;
    EXPECT_EQ(c.inactive, PatchSupportsInactive(c.version)) << std::hex << c.version;
  }
}

class InstallationTest : public ::testing::Test {
 protected:
  test::TempDir ttd;
  test::TestPlatform platform;
  FileSystem& files = *platform.system.files;
};

TEST_F(InstallationTest, RecognisesTheEditionFromTheGameExecutables) {
  const struct {
    std::vector<std::string> files, directories;
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
  ttd.Write("ttdpatchw.exe", "MZ");
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
  bool Probe(bool inactiveAvailable, unsigned waitMs = kProbeWaitMs) {
    ProbePatchVersion(platform.ports, ttd.path(), inactiveAvailable, waitMs);
    return inactiveAvailable;
  }

  bool staleAtStart = false;
};

TEST_F(ProbeTest, StartsThePatchAloneInTheTtdDirectoryAndWaits) {
  ttd.Write("ttdpatchw.exe", "MZ");
  ttd.Write("ttdpatch.exe", "MZ");
  PatchWrites(std::nullopt);
  Probe(true);
  Probe(true, 300);
  ASSERT_EQ(2u, platform.processes.runs.size());
  EXPECT_EQ(ttd.path() + "\\ttdpatch.exe", platform.processes.runs[0].program);
  EXPECT_EQ(ttd.path() + "\\ttdpatch.exe -!S-", platform.processes.runs[0].commandLine);
  EXPECT_EQ(ttd.path(), platform.processes.runs[0].workingDirectory);
  EXPECT_EQ(10000u, platform.processes.runs[0].waitMs);
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
  // The system's own runner says so too.
  Platform real{files, platform.registry, platform.dialogs, *platform.system.processes, *platform.system.xml,
                platform.screen, *platform.system.locale};
  bool inactiveAvailable = true;
  platform.dialogs.Expect(MessageKind::Error, "Kestrav could not create process!");
  ProbePatchVersion(real, ttd.path(), inactiveAvailable, 300);
  EXPECT_TRUE(inactiveAvailable);
}

TEST_F(ProbeTest, TheVersionInTheFreshSwitchListDecidesAndTheListIsDeleted) {
  ttd.Write("ttdpatch.exe", "MZ");
  const auto list = [](const std::string& id) {
    return "<?xml version=\"1.0\"?>\r\n<switches ID=\"" + id + "\">\r\n</switches>\r\n";
  };
  const struct {
    std::optional<std::string> written;
    ProcessOutcome outcome;
    bool before, after;
  } cases[] = {
      {list("0x0207012C"), ProcessOutcome::Exited, false, true},
      {list("03000000"), ProcessOutcome::Exited, false, true},
      {list("0x01FF0000"), ProcessOutcome::Exited, true, false},
      {list("zz"), ProcessOutcome::Exited, true, false},
      // A patch still running after the wait is read if its list is there.
      {list("0x0207012C"), ProcessOutcome::StillRunning, false, true},
      {std::nullopt, ProcessOutcome::StillRunning, false, false},
      // Without a readable list the flag stays as it was.
      {std::nullopt, ProcessOutcome::Exited, true, true},
      {std::nullopt, ProcessOutcome::Exited, false, false},
      {"<?xml version=\"1.0\"?>\r\n<switches ID=\"0x0207012C\">\r\n  <swi", ProcessOutcome::Exited, false, false},
      {"<switches ID=\"0x01000000\">", ProcessOutcome::Exited, true, true},
      {"<switches version=\"2.7\"><switch ID=\"0x0207012C\"/></switches>", ProcessOutcome::Exited, false, false},
      {"", ProcessOutcome::Exited, true, true},
      {"\x7F" "ELF\x01\x01\x01", ProcessOutcome::Exited, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written.value_or("(no list)"));
    // A list left from before is never the answer: it is gone before the patch starts.
    ttd.Write("switches.xml", c.before ? list("0x01000000") : list("0x02000000"));
    PatchWrites(c.written, c.outcome);
    EXPECT_EQ(c.after, Probe(c.before));
    EXPECT_FALSE(staleAtStart);
    EXPECT_FALSE(ttd.Exists("switches.xml"));
  }
  EXPECT_TRUE(platform.dialogs.shown.empty());
}

TEST_F(ProbeTest, ASwitchListThatCannotBeDeletedIsNotReported) {
  ttd.Write("ttdpatch.exe", "MZ");
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
