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

// A TTD_DIR named on the command line that does not exist: the command stops before anything
// is read or made, RunCli prints "no such directory: " and the name, and the status is
// kCliUsage. Unlike the window, the companion never creates a TTD directory.
struct NoSuchDirectory {
  std::string dir;
};
// Throws NoSuchDirectory unless dir is a directory.
void RequireDirectory(FileSystem& files, const std::string& dir);

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
int RunInfoCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                   std::ostream& err);
int RunInstallCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                      std::ostream& err);

int RunLogCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                  std::ostream& err);

int RunCheckCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                    std::ostream& err);
int RunFactsCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                    std::ostream& err);

struct Platform;
// Loads the list of the TTD_DIR in args ([--inactive | --no-inactive] as for list) and runs
// use on the loaded main window and its ports. Returns use's status; kCliFailed after an
// error (its text on err), kCliUsage for wrong arguments.
using LoadedListUse = std::function<int(TformManager& manager, Platform& platform)>;
int RunOnLoadedList(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& err,
                    const LoadedListUse& use);

}  // namespace kestrav
