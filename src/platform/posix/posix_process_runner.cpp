#include <memory>

#include "platform/process_runner.h"

namespace kestrav {

// Windows programs cannot be started here: every start fails, which the probe reports.
class PosixProcessRunner : public ProcessRunner {
 public:
  ProcessOutcome RunHidden(const std::string&, const std::string&, const std::string&, unsigned) override {
    return ProcessOutcome::StartFailed;
  }
};

std::unique_ptr<ProcessRunner> MakePosixProcessRunner() { return std::make_unique<PosixProcessRunner>(); }

}  // namespace kestrav
