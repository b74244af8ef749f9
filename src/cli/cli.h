#pragma once
// kestrav-cli: the headless companion of the window, on the same core.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/grf_entry.h"
#include "platform/system_platform.h"

namespace kestrav {

class TformManager;

// Exit statuses.
inline constexpr int kCliOk = 0;
inline constexpr int kCliFailed = 1;
inline constexpr int kCliUsage = 2;

// args are the command-line arguments after the program name.
int RunCli(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out, std::ostream& err);

// The commands, one per file.
int RunConfigCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                     std::ostream& err);
int RunListCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                   std::ostream& err);
int RunSaveCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                   std::ostream& err);
int RunAnalyzeCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                      std::ostream& err);
int RunCheckCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                    std::ostream& err);

// Loads the GRF list of TTD_DIR [--inactive|--no-inactive] as the list command does and
// returns what use returns for the loaded window and TTD_DIR; a wrong usage or a failed load
// gives the list command's status and message.
int RunOnLoadedList(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& err,
                    const std::function<int(TformManager&, const std::string&)>& use);

// The state word of the listings: "Active", "Inactive" or "Off".
const char* StateWord(GrfState state);

}  // namespace kestrav
