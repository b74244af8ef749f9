#include <windows.h>

#include <memory>
#include <vector>

#include "platform/process_runner.h"
#include "platform/win32/win32_handles.h"

namespace kestrav {
namespace {

using win32::UniqueHandle;

class Win32ProcessRunner : public ProcessRunner {
 public:
  ProcessOutcome RunHidden(const std::string& program, const std::string& commandLine,
                           const std::string& workingDirectory, unsigned waitMs) override {
    if (program.empty()) return ProcessOutcome::StartFailed;
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, TRUE, IDLE_PRIORITY_CLASS, nullptr,
                          workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &started)) {
      return ProcessOutcome::StartFailed;
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    // A child that outlives the wait keeps running: only our handles to it are released. A
    // wait that fails cannot tell that the child ended, so it counts as still running.
    return ::WaitForSingleObject(process.get(), waitMs) == WAIT_OBJECT_0 ? ProcessOutcome::Exited
                                                                         : ProcessOutcome::StillRunning;
  }
};

}  // namespace

std::unique_ptr<ProcessRunner> MakeWin32ProcessRunner() { return std::make_unique<Win32ProcessRunner>(); }

}  // namespace kestrav
