#pragma once
#include <string>

namespace kestrav {

enum class ProcessOutcome { StartFailed, Exited, StillRunning };

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Starts the program file at the full path program with commandLine hidden, at idle
  // priority, in workingDirectory, inheriting handles, and waits at most waitMs for it to
  // end. A child still running then is left alone. Every handle is released before
  // returning. The program is named apart from the command line, which stays unquoted as
  // the patch expects: otherwise a directory with a blank in its name ("C:\Program
  // Files\TTD") would let the system start "C:\Program.exe" instead. An empty program
  // is a start that fails.
  virtual ProcessOutcome RunHidden(const std::string& program, const std::string& commandLine,
                                   const std::string& workingDirectory, unsigned waitMs) = 0;
};

}  // namespace kestrav
