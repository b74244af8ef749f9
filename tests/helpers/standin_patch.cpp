// Stands in for the game patch in tests and in sample TTD directories. Copied there as
// ttdpatch.exe or ttdpatchw.exe and started with "-!S-", it writes switches.xml into its
// working directory, as the patch does. What it writes comes from standin.txt beside the
// executable, one directive a line:
//
//   id TEXT     a switch list whose document element has ID="TEXT" (TEXT as written)
//   malformed   a switch list cut off inside its document element
//   noid        a well-formed switch list without an ID attribute
//   noroot      an XML declaration and a comment, but no document element
//   nothing     no switch list at all
//   hang MS     keeps running MS milliseconds (at most a minute) before going on
//   inherit H   signals the event whose inherited handle value is H (Windows)
//
// Without standin.txt it writes the list of a recent patch. Started without "-!S-" it
// writes no list. Each start records in standin.log beside the executable how it was
// started, so tests can check the command line, directory, priority and window state.
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

constexpr const char* kRecentId = "0x0207012C";
constexpr long kLongestHangMs = 60000;

std::string ModulePath(char** argv) {
#ifdef _WIN32
  (void)argv;
  char path[MAX_PATH * 4];
  const DWORD size = ::GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, size);
#else
  return std::filesystem::absolute(argv[0]).string();
#endif
}

std::string DirectoryOf(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? "." : path.substr(0, cut);
}

std::string CommandLine(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  return ::GetCommandLineA();
#else
  std::string line;
  for (int i = 0; i < argc; ++i) line += (i ? " " : "") + std::string(argv[i]);
  return line;
#endif
}

std::string WorkingDirectory() {
#ifdef _WIN32
  char path[MAX_PATH * 4];
  const DWORD size = ::GetCurrentDirectoryA(sizeof path, path);
  return std::string(path, size < sizeof path ? size : 0);
#else
  return std::filesystem::current_path().string();
#endif
}

void WriteLog(const std::string& dir, int argc, char** argv) {
  std::ostringstream log;
  log << "command=" << CommandLine(argc, argv) << "\n";
  log << "directory=" << WorkingDirectory() << "\n";
  log << "module=" << ModulePath(argv) << "\n";
  log << "switches=" << (std::ifstream("switches.xml") ? "present" : "absent") << "\n";
#ifdef _WIN32
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  log << "pid=" << ::GetCurrentProcessId() << "\n";
  log << "priority=" << ::GetPriorityClass(::GetCurrentProcess()) << "\n";
  log << "flags=" << startup.dwFlags << "\n";
  log << "show=" << startup.wShowWindow << "\n";
#else
  log << "pid=" << ::getpid() << "\n";
#endif
  std::ofstream(dir + "/standin.log", std::ios::binary | std::ios::trunc) << log.str();
}

void WriteSwitches(const std::string& content) {
  std::ofstream("switches.xml", std::ios::binary | std::ios::trunc) << content;
}

std::string SwitchList(const std::string& rootAttributes) {
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
         "<switches" + rootAttributes + ">\r\n"
         "  <switch name=\"first\" type=\"bool\" value=\"1\"/>\r\n"
         "  <switch name=\"second\" type=\"string\" value=\"text\"/>\r\n"
         "</switches>\r\n";
}

void SignalInherited(const std::string& value) {
#ifdef _WIN32
  const auto handle = static_cast<std::uintptr_t>(std::strtoull(value.c_str(), nullptr, 10));
  ::SetEvent(reinterpret_cast<HANDLE>(handle));
#else
  (void)value;
#endif
}

// Carries out one directive; false for one it does not know. The switch list is written
// only when the patch was started to write it.
bool Perform(const std::string& directive, const std::string& argument, bool probed) {
  if (directive == "hang") {
    const long ms = std::clamp(std::atol(argument.c_str()), 0L, kLongestHangMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return true;
  }
  if (directive == "inherit") {
    SignalInherited(argument);
    return true;
  }
  if (directive == "nothing") return true;
  std::string list;
  if (directive == "id") {
    list = SwitchList(" ID=\"" + argument + "\"");
  } else if (directive == "malformed") {
    list = SwitchList(" ID=\"" + std::string(kRecentId) + "\"").substr(0, 80);
  } else if (directive == "noid") {
    list = SwitchList(" version=\"2.7\"");
  } else if (directive == "noroot") {
    list = "<?xml version=\"1.0\"?>\r\n<!-- no switches -->\r\n";
  } else {
    return false;
  }
  if (probed) WriteSwitches(list);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = DirectoryOf(ModulePath(argv));
  WriteLog(dir, argc, argv);
  const bool probed = std::any_of(argv + 1, argv + argc, [](const char* arg) { return std::string(arg) == "-!S-"; });

  std::ifstream script(dir + "/standin.txt");
  if (!script) return Perform("id", kRecentId, probed) ? 0 : 2;
  std::string line;
  while (std::getline(script, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const auto blank = line.find(' ');
    const std::string directive = line.substr(0, blank);
    const std::string argument = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (!Perform(directive, argument, probed)) return 2;
  }
  return 0;
}
