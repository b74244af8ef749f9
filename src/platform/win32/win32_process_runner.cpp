#include <windows.h>

#include <memory>

#include "platform/process_runner.h"

namespace kestrav {
namespace {

class Win32ProcessRunner : public ProcessRunner {
 public:
  ProcessOutcome RunHidden(const std::string&, const std::string&, unsigned) override {
    return ProcessOutcome::StartFailed;
  }
};

}  // namespace

std::unique_ptr<ProcessRunner> MakeWin32ProcessRunner() { return std::make_unique<Win32ProcessRunner>(); }

}  // namespace kestrav
