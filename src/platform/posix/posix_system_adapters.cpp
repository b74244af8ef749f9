#include "platform/memory_registry.h"
#include "platform/posix/posix_file_system.h"
#include "platform/system_platform.h"

namespace kestrav {

std::unique_ptr<Locale> MakePosixLocale();
std::unique_ptr<ProcessRunner> MakePosixProcessRunner();

namespace {

// There is no desktop to measure: the size of a common small screen.
class FixedScreen : public Screen {
 public:
  ScreenSize PrimaryScreen() override { return {1024, 768}; }
  ScreenSize WorkArea() override { return {1024, 768}; }
};

// No patch can run here, so no switch list is ever written for the probe to read.
class NoXmlReader : public XmlReader {
 public:
  std::optional<std::string> ReadRootAttribute(const std::string&, const std::string&) override {
    return std::nullopt;
  }
};

// There is no desktop shell natively: nothing the console companion does starts a program.
class NoShell : public Shell {
 public:
  void Open(const std::string&, const std::string&, const std::string&) override {}
};

}  // namespace

SystemAdapters MakeSystemAdapters() {
  SystemAdapters adapters;
  adapters.files = std::make_unique<PosixFileSystem>();
  adapters.registry = std::make_unique<MemoryRegistry>();
  adapters.processes = MakePosixProcessRunner();
  adapters.xml = std::make_unique<NoXmlReader>();
  adapters.screen = std::make_unique<FixedScreen>();
  adapters.locale = MakePosixLocale();
  adapters.shell = std::make_unique<NoShell>();
  return adapters;
}

}  // namespace kestrav
