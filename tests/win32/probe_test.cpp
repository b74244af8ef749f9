// The version probe end to end: the real process and XML adapters start the stand-in
// patch (tests/helpers/standin_patch.cpp) in a TTD directory and read what it writes.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "environment/installation_detection.h"
#include "platform/memory_registry.h"
#include "platform/system_platform.h"
#include "platform/win32/win32_handles.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kestrav {
namespace {

using win32::UniqueHandle;

// The stand-in is built beside the test programs.
std::string StandinPatch() {
  char path[MAX_PATH * 4];
  const std::string exe(path, ::GetModuleFileNameA(nullptr, path, sizeof path));
  return exe.substr(0, exe.find_last_of('\\')) + "\\standin_patch.exe";
}

// Ends every stand-in this test program started that is still running, and waits until
// it is gone, so that nothing outlives a test; returns how many there were.
int EndStartedPatches() {
  int ended = 0;
  const UniqueHandle snapshot(win32::OrNull(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = snapshot && ::Process32First(snapshot.get(), &entry); more;
       more = ::Process32Next(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID != ::GetCurrentProcessId() || ::_stricmp(entry.szExeFile, "ttdpatch.exe") != 0) {
      continue;
    }
    const UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!process) continue;
    ::TerminateProcess(process.get(), 1);
    ::WaitForSingleObject(process.get(), 10000);
    ++ended;
  }
  return ended;
}

class PatchProbe : public ::testing::Test {
 protected:
  void TearDown() override { EndStartedPatches(); }

  static void InstallPatchIn(const std::string& dir, const std::string& name = "ttdpatch.exe") {
    ASSERT_TRUE(::CopyFileA(StandinPatch().c_str(), (dir + "\\" + name).c_str(), FALSE)) << StandinPatch();
  }
  bool Probe(bool inactiveAvailable, unsigned waitMs = kProbeWaitMs) {
    ProbePatchVersion(ports, ttd.path(), inactiveAvailable, waitMs);
    return inactiveAvailable;
  }

  test::TempDir ttd;
  SystemAdapters system = MakeSystemAdapters();
  MemoryRegistry registry;
  test::ScriptedDialogs dialogs;
  test::FakeScreen screen;
  Platform ports{*system.files, registry, dialogs, *system.processes, *system.xml, screen, *system.locale, *system.shell};
};

// The patch writes its list into its working directory, and only when started with its
// switch: a list read there shows the command and directory it was started with.
TEST_F(PatchProbe, ThePatchStartedHiddenWithItsSwitchDecidesTheFlag) {
  InstallPatchIn(ttd.path());
  const struct {
    const char* script;  // nothing: the stand-in writes a recent patch's list
    bool before, after;
  } cases[] = {
      {nullptr, false, true},
      {"id 0x01000000", true, false},
      {"malformed", true, true},  // no readable version: the flag stays
      {"nothing", false, false},
  };
  for (const auto& c : cases) {
    const std::string name = c.script ? c.script : "(recent)";
    if (c.script) ttd.Write("standin.txt", std::string(c.script) + "\n");
    // A list left from before, which would turn the flag: gone before the patch starts.
    ttd.Write("switches.xml", c.before ? "<switches ID=\"0x01000000\"/>" : "<switches ID=\"0x0207012C\"/>");
    EXPECT_EQ(c.after, Probe(c.before)) << name;
    EXPECT_FALSE(ttd.Exists("switches.xml")) << name;
    EXPECT_EQ("switches.xml absent, flags " + std::to_string(STARTF_USESHOWWINDOW) + ", show " +
                  std::to_string(SW_HIDE),
              ttd.Read("standin.log"))
        << name;
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PatchProbe, AHangingPatchIsLeftRunningAfterTheWait) {
  InstallPatchIn(ttd.path());
  ttd.Write("standin.txt", "hang 5000\nid 0x0207012C\n");
  EXPECT_FALSE(Probe(false, 300));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(1, EndStartedPatches());
  EXPECT_FALSE(ttd.Exists("switches.xml"));
}

TEST_F(PatchProbe, AStartFailsWithoutTheProgramOrItsDirectory) {
  const std::string program = ttd.path() + "\\ttdpatch.exe";
  ProcessRunner& runner = *system.processes;
  EXPECT_EQ(ProcessOutcome::StartFailed, runner.RunHidden(program, program + " -!S-", ttd.path(), 300));
  InstallPatchIn(ttd.path());
  EXPECT_EQ(ProcessOutcome::StartFailed, runner.RunHidden(program, program + " -!S-", ttd.Join("missing"), 300));
}

TEST_F(PatchProbe, APatchInADirectoryWithABlankIsFoundWithoutQuotes) {
  ttd.MakeDirectory("Games/TTD Deluxe");
  const std::string dir = ttd.Join("Games\\TTD Deluxe");
  InstallPatchIn(dir);
  // A program named like the directory's first word must not be started instead.
  InstallPatchIn(ttd.Join("Games"), "TTD.exe");
  ttd.Write("Games/standin.txt", "id 0x01000000\n");
  bool inactiveAvailable = false;
  ProbePatchVersion(ports, dir, inactiveAvailable);
  EXPECT_TRUE(inactiveAvailable);
  EXPECT_FALSE(ttd.Exists("Games/TTD Deluxe/switches.xml"));
  EXPECT_FALSE(ttd.Exists("Games/standin.log"));
}

}  // namespace
}  // namespace kestrav
