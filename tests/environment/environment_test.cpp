// The installation's edition, patch and version probe (with a scripted patch; the real start
// of a stand-in patch under Wine is in tests/win32/probe_test.cpp), the settings store on the
// in-memory registry and the window's place and size from it.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <vector>

#include "environment/directory_selection.h"
#include "environment/installation_detection.h"
#include "environment/window_geometry.h"
#include "platform/memory_registry.h"
#include "support/settings_store_contract.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kestrav {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
namespace fs = std::filesystem;

TEST(PatchVersion, ReadsTheLeadingHexNumberSaturatedAndOffersInactiveEntriesFromMajorTwo) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"0x1F", 31}, {"\t\r\n 0X1f", 31}, {"+0X10", 16}, {"-0x10", -16}, {"1fz9", 31}, {"7FFFFFFF", kMax},
      {"0000000000000000000000000000001F", 31}, {"-80000000", kMin}, {"80000000", kMax}, {"-80000001", kMin},
      {"-FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", kMin}, {"zz", 0}, {"", 0}, {"0xg1", 0}, {"0x0x1", 0}, {"+-1", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(value, ParseHexInteger(text)) << '"' << text << '"';
  for (const auto& [version, inactive] : {std::pair{0x02000000, true}, {0x01FFFFFF, false}, {kMin, false}}) {
    EXPECT_EQ(inactive, PatchSupportsInactive(version)) << std::hex << version;
  }
}

TEST(Installation, RecognisesTheEditionChoosesThePatchAndAcceptsAFolderWithAnyMarker) {
  using Names = std::vector<std::string>;
  // the files and the directories there, the edition, the patch, whether a folder browser accepts the folder
  const std::tuple<Names, Names, std::optional<TtdEdition>, std::string, bool> cases[] = {
      {{"GameGFX.exe", "ttdx.exe", "ttdpatchw.exe"}, {}, TtdEdition::Windows, "ttdpatchw.exe", true},
      {{"ttdlx.exe", "ttdpatchw.exe", "ttdpatch.exe"}, {}, TtdEdition::Dos, "ttdpatch.exe", true},
      {{"TTDX.EXE"}, {"GameGFX.exe", "ttdpatch.exe"}, TtdEdition::Dos, "", true},
      {{"ttd.exe"}, {"GameGFX.exe"}, std::nullopt, "", true},
      {{"ttdpatchw.exe"}, {}, std::nullopt, "ttdpatchw.exe", true},
      {{"ttdpatch.ex", "ttdx.exe.bak", "newgrf.cfg", "sub/ttdx.exe"}, {"tycoon.exe"}, std::nullopt, "", false},
  };
  auto files = MakeSystemAdapters().files;
  for (const auto& [names, directories, edition, patch, accepted] : cases) {
    test::TempDir dir;
    for (const auto& name : names) dir.Write(name, "MZ");
    for (const auto& name : directories) dir.MakeDirectory(name);
    EXPECT_EQ(std::tuple(edition, patch, accepted, false),
              std::tuple(RecogniseEdition(*files, dir.path()), FindPatchExecutable(*files, dir.path()),
                         HoldsGameOrPatch(*files, dir.path()), HoldsGameOrPatch(*files, dir.Join("gone"))))
        << testing::PrintToString(names);
  }
}

TEST(ProbePatchVersion, StartsThePatchByItsOwnPathAndTheFreshSwitchListDecides) {
  const std::tuple<const char*, std::optional<std::string>, ProcessOutcome, bool, bool, bool> cases[] = {
      // the patch there, the version it writes (nothing: no list), how it ends, the flag before and after, and
      // whether the stale list is read-only: then it stays, and is read
      {"ttdpatchw.exe", "0x0207012C", ProcessOutcome::StillRunning, false, true, false},
      {"ttdpatch.exe", "zz", ProcessOutcome::Exited, true, false, false},
      {"ttdpatch.exe", std::nullopt, ProcessOutcome::Exited, true, true, false},
      {"ttdpatch.exe", std::nullopt, ProcessOutcome::Exited, true, false, true},
      // Without a patch nothing is started that a search of the command line could find.
      {"", std::nullopt, ProcessOutcome::StartFailed, false, false, false},
  };
  for (const auto& [patch, id, outcome, before, after, locked] : cases) {
    test::TempDir ttd;
    test::TestPlatform platform;
    if (*patch) ttd.Write(patch, "MZ");
    ttd.Write("switches.xml", before ? "<s ID=\"0x01000000\"/>" : "<s ID=\"0x02000000\"/>");
    if (locked) fs::permissions(fs::path(ttd.path()) / "switches.xml", fs::perms::owner_read);
    bool staleAtStart = true;
    platform.processes.onRun = [&](const std::string&) {
      staleAtStart = ttd.Exists("switches.xml");
      if (id) ttd.Write("switches.xml", "<switches ID=\"" + *id + "\"/>");
      return outcome;
    };
    if (!*patch) platform.dialogs.Expect(MessageKind::Error, "Kestrav could not create process!");
    bool inactiveAvailable = before;
    ProbePatchVersion(platform.ports, ttd.path(), inactiveAvailable);
    const auto& run = platform.processes.runs.at(0);
    EXPECT_EQ(std::tuple(after, locked, locked, *patch ? ttd.Join(patch) : "", ttd.Join(patch) + " -!S-", ttd.path(),
                         10000u),
              std::tuple(inactiveAvailable, staleAtStart, ttd.Exists("switches.xml"), run.program, run.commandLine,
                         run.workingDirectory, run.waitMs))
        << patch << " " << id.value_or("(no list)");
  }
}

using test::SettingsStoreContract;

class InMemory : public test::RegistryUnderTest {
 public:
  Registry& registry() override { return memory; }
  const char* key() override { return kSettingsKeyPath; }
  void Put(const char* name, std::uint32_t type, const std::string& data) override {
    memory.Put(kSettingsKeyPath, name, RegistryValue{type, data});
  }
  MemoryRegistry memory;
};

INSTANTIATE_TEST_SUITE_P(MemoryRegistry, SettingsStoreContract,
                         ::testing::Values(+[]() -> std::unique_ptr<test::RegistryUnderTest> {
                           return std::make_unique<InMemory>();
                         }));

// Values cut short and refused writes, which the memory registry makes easy to set up.
TEST(SettingsStore, ShortOrUnterminatedValuesAndFailedWrites) {
  InMemory under;
  SettingsStore settings(under.memory);
  settings.Open(true);
  under.Put("NoTerminator", kRegSz, "abc");
  under.Put("Short", kRegDword, "\x07");
  EXPECT_EQ(std::pair(std::string("abc"), 7),
            std::pair(settings.ReadString("NoTerminator"), settings.ReadInteger("Short")));
  under.memory.failWrites = true;
  EXPECT_THROW(settings.WriteInteger("Width", 1), OperationError);
  EXPECT_THROW(settings.WriteString("LastDir", "x"), OperationError);
}

// Storing the bounds is checked with the window's close, in the controller's tests.
TEST(InitialWindowBounds, FollowsStoredValuesDefaultsAndClamps) {
  const struct {
    const char* what;
    std::optional<int> width, height, top, left;
    ScreenSize screen, work;
    WindowBounds expected;
  } cases[] = {
      {"first start centres", {}, {}, {}, {}, {1024, 768}, {1024, 738}, {352, 184, 320, 400}},
      {"odd screen and odd size", 321, 401, {}, {}, {1023, 767}, {1023, 767}, {511 - 160, 383 - 200, 321, 401}},
      {"stored bounds", 500, 600, 10, 20, {1024, 768}, {1024, 738}, {20, 10, 500, 600}},
      {"width below the minimum", 200, 100, {}, {}, {1024, 768}, {1024, 738}, {352, 234, 320, 300}},
      {"negative edges move to 0", {}, {}, -50, -50, {1024, 768}, {1024, 738}, {0, 0, 320, 400}},
      {"larger than the work area", 5000, 5000, 0, 0, {1024, 768}, {1024, 738}, {0, 0, 1024, 738}},
      {"screen smaller than the minimum", {}, {}, {}, {}, {200, 200}, {200, 200}, {0, 0, 320, 300}},
  };
  for (const auto& c : cases) {
    MemoryRegistry registry;
    SettingsStore settings(registry);
    settings.Open(true);
    for (const auto& [name, value] : {std::pair{setting::kWidth, c.width}, {setting::kHeight, c.height},
                                      {setting::kTop, c.top}, {setting::kLeft, c.left}}) {
      if (value) settings.WriteInteger(name, *value);
    }
    test::FakeScreen screen;
    screen.screen = c.screen;
    screen.workArea = c.work;
    EXPECT_EQ(c.expected, InitialWindowBounds(settings, screen)) << c.what;
  }
}

}  // namespace
}  // namespace kestrav
