#pragma once
// The ports for a controller under test: this system's real file system, an in-memory
// registry, scripted dialogs and stand-ins for the screen, processes, shell and XML.
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/memory_registry.h"
#include "platform/operation_error.h"
#include "platform/platform.h"
#include "platform/system_platform.h"
#include "support/scripted_dialogs.h"

namespace kestrav::test {

// A 1024 x 768 screen with a taskbar 30 pixels high.
struct FakeScreen : Screen {
  ScreenSize screen{1024, 768};
  ScreenSize workArea{1024, 738};
  ScreenSize PrimaryScreen() override { return screen; }
  ScreenSize WorkArea() override { return workArea; }
};

// Records each start; onRun decides the outcome (it may write files, as a patch would).
struct FakeProcessRunner : ProcessRunner {
  struct Run {
    std::string program, commandLine, workingDirectory;
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

struct RecordingShell : Shell {
  struct Start {
    std::string file, parameters, directory;
  };
  void Open(const std::string& file, const std::string& parameters, const std::string& directory) override {
    starts.push_back(Start{file, parameters, directory});
  }
  std::vector<Start> starts;
};

// Reads an attribute as the tests write it (NAME="VALUE" in the file), without a parser:
// natively there is none, and the system's own is tested under Wine.
struct FakeXmlReader : XmlReader {
  std::optional<std::string> ReadRootAttribute(const std::string& path, const std::string& attribute) override {
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    std::ifstream file(native, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}}, mark = " " + attribute + "=\"";
    const auto start = text.find(mark), end = text.find('"', start + mark.size());
    if (start == std::string::npos || end == std::string::npos) return std::nullopt;
    return text.substr(start + mark.size(), end - start - mark.size());
  }
};

// The text of the OperationError that action throws; "no error" when it throws none.
inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const OperationError& error) {
    return error.what();
  }
  return "no error";
}

struct TestPlatform {
  SystemAdapters system = MakeSystemAdapters();  // the real file system and locale
  MemoryRegistry registry;
  ScriptedDialogs dialogs;
  FakeProcessRunner processes;
  FakeScreen screen;
  RecordingShell shell;
  FakeXmlReader xml;
  Platform ports{*system.files, registry, dialogs, processes, xml, screen, *system.locale, shell};
};

}  // namespace kestrav::test
