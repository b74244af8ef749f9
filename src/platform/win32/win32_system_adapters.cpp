#include "platform/system_platform.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"

namespace kestrav {

std::unique_ptr<Locale> MakeWin32Locale();
std::unique_ptr<Screen> MakeWin32Screen();
std::unique_ptr<ProcessRunner> MakeWin32ProcessRunner();
std::unique_ptr<XmlReader> MakeWin32XmlReader();
std::unique_ptr<Shell> MakeWin32Shell();

SystemAdapters MakeSystemAdapters() {
  SystemAdapters adapters;
  adapters.files = std::make_unique<Win32FileSystem>();
  adapters.registry = std::make_unique<Win32Registry>();
  adapters.processes = MakeWin32ProcessRunner();
  adapters.xml = MakeWin32XmlReader();
  adapters.screen = MakeWin32Screen();
  adapters.locale = MakeWin32Locale();
  adapters.shell = MakeWin32Shell();
  return adapters;
}

}  // namespace kestrav
