#pragma once
// The ports for a controller under test: this system's real file system, an in-memory
// registry, scripted dialogs and stand-ins for the screen, processes and XML.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/memory_registry.h"
#include "platform/platform.h"
#include "platform/system_platform.h"
#include "support/scripted_dialogs.h"

namespace kestrav::test {

// A 1024 x 768 screen with a taskbar 30 pixels high.
class FakeScreen : public Screen {
 public:
  ScreenSize screen{1024, 768};
  ScreenSize workArea{1024, 738};
  ScreenSize PrimaryScreen() override { return screen; }
  ScreenSize WorkArea() override { return workArea; }
};

// Records each start; onRun decides the outcome (it may write files, as a patch would).
class FakeProcessRunner : public ProcessRunner {
 public:
  struct Run {
    std::string program;
    std::string commandLine;
    std::string workingDirectory;
    unsigned waitMs;
  };
  ProcessOutcome RunHidden(const std::string& program, const std::string& commandLine,
                           const std::string& workingDirectory, unsigned waitMs) override {
    runs.push_back(Run{program, commandLine, workingDirectory, waitMs});
    return onRun ? onRun(commandLine) : ProcessOutcome::StartFailed;
  }
  std::vector<Run> runs;
  std::function<ProcessOutcome(const std::string&)> onRun;
};

// Records each start instead of starting anything.
class RecordingShell : public Shell {
 public:
  struct Start {
    std::string file;
    std::string parameters;
    std::string directory;
  };
  void Open(const std::string& file, const std::string& parameters, const std::string& directory) override {
    starts.push_back(Start{file, parameters, directory});
  }
  std::vector<Start> starts;
};

struct TestPlatform {
  SystemAdapters system = MakeSystemAdapters();  // the real file system and locale
  MemoryRegistry registry;
  ScriptedDialogs dialogs;
  FakeProcessRunner processes;
  FakeScreen screen;
  RecordingShell shell;
  Platform ports{*system.files, registry, dialogs, processes, *system.xml, screen, *system.locale, shell};
};

}  // namespace kestrav::test
