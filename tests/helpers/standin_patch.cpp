// Stands in for the game patch in the Windows tests and in sample TTD directories. Copied
// there as ttdpatch.exe or ttdpatchw.exe and started with "-!S-", it writes switches.xml
// into its working directory, as the patch does: the list of a recent patch, or when
// standin.txt lies beside the executable, that file's text ("hang MS" on its first line
// keeps it running MS milliseconds, at most a minute, before it writes; nothing after that
// line writes no list). Each start records in standin.log beside the executable how its
// window was to be shown, its working directory and its arguments.
#ifndef _WIN32
int main() { return 2; }  // only the Windows build starts it
#else
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
  char buffer[MAX_PATH * 4];
  const std::string module(buffer, ::GetModuleFileNameA(nullptr, buffer, sizeof buffer));
  const std::string dir = module.substr(0, module.find_last_of('\\'));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  char directory[MAX_PATH * 4];
  std::string arguments;
  for (int i = 1; i < argc; ++i) arguments += std::string(i > 1 ? " " : "") + argv[i];
  std::ofstream(dir + "\\standin.log", std::ios::binary | std::ios::trunc)
      << "flags " << startup.dwFlags << ", show " << startup.wShowWindow << "\n"
      << std::string(directory, ::GetCurrentDirectoryA(sizeof directory, directory)) << "\n" << arguments;

  std::string list =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<switches ID=\"0x0207012C\">\r\n"
      "  <switch name=\"first\" type=\"bool\" value=\"1\"/>\r\n</switches>\r\n";
  if (std::ifstream script{dir + "\\standin.txt", std::ios::binary}) {
    std::ostringstream text;
    text << script.rdbuf();
    list = text.str();
    if (list.rfind("hang ", 0) == 0) {
      ::Sleep(static_cast<DWORD>(std::clamp(std::atol(list.c_str() + 5), 0L, 60000L)));
      list.erase(0, list.find('\n') == std::string::npos ? list.size() : list.find('\n') + 1);
    }
  }
  const bool probed = std::any_of(argv + 1, argv + argc, [](const char* arg) { return std::string(arg) == "-!S-"; });
  if (probed && !list.empty()) std::ofstream("switches.xml", std::ios::binary | std::ios::trunc) << list;
  return 0;
}
#endif
