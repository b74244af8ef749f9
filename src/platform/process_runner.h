#pragma once
#include <string>

namespace kestrav {

enum class ProcessOutcome { StartFailed, Exited, StillRunning };

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Starts commandLine (which alone names the program) hidden, at idle priority, in
  // workingDirectory, inheriting handles, and waits at most waitMs for it to end. A child
  // still running then is left alone. Every handle is released before returning.
  virtual ProcessOutcome RunHidden(const std::string& commandLine, const std::string& workingDirectory,
                                   unsigned waitMs) = 0;
};

}  // namespace kestrav
