// Stands in for the game patch in the Windows tests and in sample TTD directories. Copied
// there as ttdpatch.exe or ttdpatchw.exe and started with "-!S-", it writes switches.xml
// into its working directory, as the patch does. What it writes comes from standin.txt
// beside the executable, one directive a line:
//
//   id TEXT     a switch list whose document element has ID="TEXT" (TEXT as written)
//   malformed   a switch list cut off inside its document element
//   nothing     no switch list at all
//   hang MS     keeps running MS milliseconds (at most a minute) before going on
//
// Without standin.txt it writes the list of a recent patch. Started without "-!S-" it
// writes no list. Each start records in standin.log beside the executable whether it found
// a switch list already there and how its window was to be shown, and in standin.start its
// working directory and, on a second line, its arguments.
#ifndef _WIN32
int main() { return 2; }  // only the Windows build starts it
#else
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr const char* kRecentId = "0x0207012C";

std::string SwitchList(const std::string& id) {
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<switches ID=\"" + id +
         "\">\r\n  <switch name=\"first\" type=\"bool\" value=\"1\"/>\r\n"
         "  <switch name=\"second\" type=\"string\" value=\"text\"/>\r\n</switches>\r\n";
}

// Carries out one directive; false for one it does not know. The switch list is written
// only when the patch was started to write it.
bool Perform(const std::string& directive, const std::string& argument, bool probed) {
  std::string list;
  if (directive == "hang") {
    ::Sleep(static_cast<DWORD>(std::clamp(std::atol(argument.c_str()), 0L, 60000L)));
    return true;
  } else if (directive == "nothing") {
    return true;
  } else if (directive == "id") {
    list = SwitchList(argument);
  } else if (directive == "malformed") {
    list = SwitchList(kRecentId).substr(0, 80);
  } else {
    return false;
  }
  if (probed) std::ofstream("switches.xml", std::ios::binary | std::ios::trunc) << list;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  char buffer[MAX_PATH * 4];
  const std::string module(buffer, ::GetModuleFileNameA(nullptr, buffer, sizeof buffer));
  const std::string dir = module.substr(0, module.find_last_of('\\'));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  std::ofstream(dir + "\\standin.log", std::ios::binary | std::ios::trunc)
      << "switches.xml " << (std::ifstream("switches.xml") ? "present" : "absent") << ", flags " << startup.dwFlags
      << ", show " << startup.wShowWindow;
  char directory[MAX_PATH * 4];
  std::string arguments;
  for (int i = 1; i < argc; ++i) arguments += std::string(i > 1 ? " " : "") + argv[i];
  std::ofstream(dir + "\\standin.start", std::ios::binary | std::ios::trunc)
      << std::string(directory, ::GetCurrentDirectoryA(sizeof directory, directory)) << "\n" << arguments;

  const bool probed = std::any_of(argv + 1, argv + argc, [](const char* arg) { return std::string(arg) == "-!S-"; });
  std::ifstream script(dir + "\\standin.txt");
  if (!script) return Perform("id", kRecentId, probed) ? 0 : 2;
  for (std::string line; std::getline(script, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const auto blank = line.find(' ');
    if (!Perform(line.substr(0, blank), blank == std::string::npos ? "" : line.substr(blank + 1), probed)) return 2;
  }
  return 0;
}
#endif
