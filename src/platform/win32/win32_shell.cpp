#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "platform/shell.h"

namespace kestrav {
namespace {

class Win32Shell : public Shell {
 public:
  void Open(const std::string& file, const std::string& parameters, const std::string& directory) override {
    // The shell reports its own failures to the user; the result says nothing more.
    ::ShellExecuteA(::GetDesktopWindow(), "open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                    directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL);
  }
};

}  // namespace

std::unique_ptr<Shell> MakeWin32Shell() { return std::make_unique<Win32Shell>(); }

}  // namespace kestrav
