// The version probe end to end: the real process and XML adapters start the stand-in
// patch (tests/helpers/standin_patch.cpp) in a TTD directory and read what it writes.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

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
  const DWORD size = ::GetModuleFileNameA(nullptr, path, sizeof path);
  std::string exe(path, size);
  return exe.substr(0, exe.find_last_of('\\')) + "\\standin_patch.exe";
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.data() + text.size() - end.size(),
                          static_cast<int>(end.size()), end.data(), static_cast<int>(end.size())) == CSTR_EQUAL;
}

// Ends every stand-in this test program started that is still running, and waits until
// it is gone, so that nothing outlives a test; returns how many there were.
int EndStartedPatches() {
  int ended = 0;
  const UniqueHandle snapshot(win32::OrNull(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)));
  if (!snapshot) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.get(), &entry); more; more = ::Process32Next(snapshot.get(), &entry)) {
    const std::string name = entry.szExeFile;
    if (entry.th32ParentProcessID != ::GetCurrentProcessId() ||
        !(EndsWithIgnoringCase(name, "ttdpatch.exe") || EndsWithIgnoringCase(name, "ttdpatchw.exe"))) {
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

// Wine starts every child at normal priority whatever the creation flags ask for, so the
// child's priority tells something only where the system keeps that flag.
bool SystemKeepsCreationPriority() {
  std::string command = StandinPatch();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED | IDLE_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &started)) {
    return false;
  }
  const UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);
  const bool kept = ::GetPriorityClass(process.get()) == IDLE_PRIORITY_CLASS;
  ::TerminateProcess(process.get(), 1);
  ::WaitForSingleObject(process.get(), 10000);
  return kept;
}

class PatchProbe : public ::testing::Test {
 protected:
  void TearDown() override { EndStartedPatches(); }

  void InstallPatch(const std::string& name = "ttdpatch.exe") { InstallPatchIn(ttd.path(), name); }
  static void InstallPatchIn(const std::string& dir, const std::string& name) {
    ASSERT_TRUE(::CopyFileA(StandinPatch().c_str(), (dir + "\\" + name).c_str(), FALSE)) << StandinPatch();
  }
  void Script(const std::string& directives) { ttd.Write("standin.txt", directives); }

  bool Probe(bool inactiveAvailable, unsigned waitMs = kProbeWaitMs) {
    ProbePatchVersion(ports, ttd.path(), inactiveAvailable, waitMs);
    return inactiveAvailable;
  }

  // How the stand-in found itself started, from the log it leaves beside itself.
  std::map<std::string, std::string> StartRecord(const test::TempDir& dir) const {
    std::map<std::string, std::string> record;
    std::istringstream log(dir.Read("standin.log"));
    for (std::string line; std::getline(log, line);) {
      const auto equals = line.find('=');
      if (equals != std::string::npos) record[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return record;
  }

  test::TempDir ttd;
  SystemAdapters system = MakeSystemAdapters();
  MemoryRegistry registry;
  test::ScriptedDialogs dialogs;
  test::FakeScreen screen;
  Platform ports{*system.files, registry, dialogs, *system.processes, *system.xml, screen, *system.locale};
};

TEST_F(PatchProbe, ARecentPatchStartedHiddenAtIdlePriorityOffersInactiveEntries) {
  InstallPatch();
  EXPECT_TRUE(Probe(false));
  EXPECT_FALSE(ttd.Exists("switches.xml"));
  auto record = StartRecord(ttd);
  EXPECT_EQ(ttd.path() + "\\ttdpatch.exe -!S-", record["command"]);
  EXPECT_EQ(ttd.path(), record["directory"]);
  if (SystemKeepsCreationPriority()) {
    EXPECT_EQ(std::to_string(IDLE_PRIORITY_CLASS), record["priority"]);
  } else {
    RecordProperty("priority", "not kept by this system");
  }
  EXPECT_EQ(std::to_string(STARTF_USESHOWWINDOW), record["flags"]);
  EXPECT_EQ(std::to_string(SW_HIDE), record["show"]);
}

TEST_F(PatchProbe, APatchInADirectoryWithABlankIsFoundWithoutQuotes) {
  ttd.MakeDirectory("Games/TTD Deluxe");
  const std::string dir = ttd.Join("Games\\TTD Deluxe");
  InstallPatchIn(dir, "ttdpatch.exe");
  // A program named like the directory's first word must not be started instead.
  InstallPatchIn(ttd.Join("Games"), "TTD.exe");
  ttd.Write("Games/standin.txt", "id 0x01000000\n");
  bool inactiveAvailable = false;
  ProbePatchVersion(ports, dir, inactiveAvailable);
  EXPECT_TRUE(inactiveAvailable);
  EXPECT_FALSE(ttd.Exists("Games/TTD Deluxe/switches.xml"));
  EXPECT_FALSE(ttd.Exists("Games/standin.log"));
}

TEST_F(PatchProbe, WithoutAReadableVersionTheFlagStaysAndTheListIsDeleted) {
  InstallPatch();
  for (const char* directive : {"malformed", "noid", "noroot", "nothing"}) {
    for (const bool before : {true, false}) {
      Script(std::string(directive) + "\n");
      // A list left from before, which would turn the flag: gone before the patch starts.
      ttd.Write("switches.xml", before ? "<switches ID=\"0x01000000\"/>" : "<switches ID=\"0x0207012C\"/>");
      EXPECT_EQ(before, Probe(before)) << directive;
      EXPECT_EQ("absent", StartRecord(ttd)["switches"]) << directive;
      EXPECT_FALSE(ttd.Exists("switches.xml")) << directive;
    }
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PatchProbe, ThePatchInheritsTheProgramsInheritableHandles) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  const UniqueHandle event(::CreateEventA(&inheritable, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event);
  InstallPatch();
  Script("inherit " + std::to_string(reinterpret_cast<std::uintptr_t>(event.get())) + "\nid 0x0207012C\n");
  EXPECT_TRUE(Probe(false));
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(event.get(), 0));
}

TEST_F(PatchProbe, AHangingPatchIsLeftRunningAfterTheWait) {
  InstallPatch();
  Script("hang 5000\nid 0x0207012C\n");
  EXPECT_FALSE(Probe(false, 300));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(1, EndStartedPatches());
  EXPECT_FALSE(ttd.Exists("switches.xml"));
}

TEST_F(PatchProbe, TheRunnerTellsFailedStartsEndsAndChildrenStillRunning) {
  ProcessRunner& runner = *system.processes;
  const std::string program = ttd.path() + "\\ttdpatch.exe";
  const std::string patch = program + " -!S-";
  EXPECT_EQ(ProcessOutcome::StartFailed, runner.RunHidden(program, patch, ttd.path(), 300));
  InstallPatch();
  Script("nothing\n");
  EXPECT_EQ(ProcessOutcome::StartFailed, runner.RunHidden(program, patch, ttd.Join("missing"), 300));
  EXPECT_EQ(ProcessOutcome::Exited, runner.RunHidden(program, patch, ttd.path(), kProbeWaitMs));
  EXPECT_EQ(0, EndStartedPatches());
  Script("hang 5000\n");
  EXPECT_EQ(ProcessOutcome::StillRunning, runner.RunHidden(program, patch, ttd.path(), 300));
  EXPECT_EQ(1, EndStartedPatches());
}

}  // namespace
}  // namespace kestrav
