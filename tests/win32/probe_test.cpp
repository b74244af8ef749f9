// The real process, shell and XML adapters start the stand-in patch
// (tests/helpers/standin_patch.cpp) in a TTD directory and read what it writes.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "environment/installation_detection.h"
#include "platform/win32/win32_handles.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kestrav {
namespace {

using win32::UniqueHandle;

// Ends every stand-in this test program started that is still running, and waits until
// it is gone, so that nothing outlives a test; returns how many there were.
int EndStartedPatches() {
  int ended = 0;
  const UniqueHandle snapshot(win32::OrNull(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)));
  PROCESSENTRY32 entry{sizeof entry};
  for (BOOL more = snapshot && ::Process32First(snapshot.get(), &entry); more;
       more = ::Process32Next(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID != ::GetCurrentProcessId() || ::_stricmp(entry.szExeFile, "ttdpatch.exe") != 0) {
      continue;
    }
    const UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (process && ::TerminateProcess(process.get(), 1)) ended += ::WaitForSingleObject(process.get(), 10000) == 0;
  }
  return ended;
}

class StandinPatch : public ::testing::Test {
 protected:
  void TearDown() override { EndStartedPatches(); }
  // Copies the stand-in, built beside the test programs, into dir.
  static void InstallPatchIn(const std::string& dir, const std::string& name = "ttdpatch.exe") {
    char path[MAX_PATH * 4];
    const std::string self(path, ::GetModuleFileNameA(nullptr, path, sizeof path));
    const std::string standin = self.substr(0, self.find_last_of('\\')) + "\\standin_patch.exe";
    ASSERT_TRUE(::CopyFileA(standin.c_str(), (dir + "\\" + name).c_str(), FALSE)) << standin;
  }
  bool Probe(bool inactiveAvailable, unsigned waitMs = kProbeWaitMs, const std::string& dir = {}) {
    ProbePatchVersion(ports, dir.empty() ? ttd.path() : dir, inactiveAvailable, waitMs);
    return inactiveAvailable;
  }

  test::TempDir ttd;
  test::TestPlatform platform;
  SystemAdapters& system = platform.system;
  Platform ports{*system.files, platform.registry, platform.dialogs, *system.processes, *system.xml,
                 platform.screen, *system.locale, *system.shell};
};

// Started hidden with its switch in its working directory, the patch writes its list there,
// where it is read (what the list decides is tested with a scripted patch).
TEST_F(StandinPatch, ThePatchStartedHiddenWithItsSwitchDecidesTheFlag) {
  InstallPatchIn(ttd.path());
  EXPECT_TRUE(Probe(false));
  EXPECT_EQ("flags 1, show 0\n" + ttd.path() + "\n-!S-", ttd.Read("standin.log"));
  // A patch that hangs is left running after the wait.
  ttd.Write("standin.txt", "hang 5000\n<switches ID=\"0x0207012C\"/>");
  EXPECT_FALSE(Probe(false, 300));
  EXPECT_EQ(1, EndStartedPatches());
}

TEST_F(StandinPatch, AStartFailsWithoutTheProgramAndABlankNeedsNoQuotes) {
  const std::string program = ttd.path() + "\\ttdpatch.exe";
  ProcessRunner& runner = *system.processes;
  EXPECT_EQ(ProcessOutcome::StartFailed, runner.RunHidden(program, program + " -!S-", ttd.path(), 300));

  ttd.MakeDirectory("Games/TTD Deluxe");
  InstallPatchIn(ttd.Join("Games\\TTD Deluxe"));
  // A program named like the directory's first word must not be started instead.
  InstallPatchIn(ttd.Join("Games"), "TTD.exe");
  ttd.Write("Games/standin.txt", "<switches ID=\"0x01000000\"/>");
  EXPECT_TRUE(Probe(false, kProbeWaitMs, ttd.Join("Games\\TTD Deluxe")));
  EXPECT_FALSE(ttd.Exists("Games/standin.log"));
}

TEST_F(StandinPatch, TheShellStartsItInTheDirectoryGivenWithItsParametersInANormalWindow) {
  ttd.MakeDirectory("TTD Deluxe");
  InstallPatchIn(ttd.Join("TTD Deluxe"), "ttdpatchw.exe");
  system.shell->Open(ttd.Join("TTD Deluxe\\ttdpatchw.exe"), "one \"two words\"", ttd.path());
  for (int wait = 0; wait < 200 && ttd.Read("TTD Deluxe/standin.log").empty(); ++wait) ::Sleep(50);
  // STARTF_USESHOWWINDOW, SW_SHOWNORMAL
  EXPECT_EQ("flags 1, show 1\n" + ttd.path() + "\none two words",
            ttd.Read("TTD Deluxe/standin.log"));
}

}  // namespace
}  // namespace kestrav
