#include "cli/cli.h"

#include <ostream>

#include "environment/program_identity.h"

namespace kestrav {
namespace {

constexpr const char* kUsage =
    "usage: kestrav-cli COMMAND ...\n"
    "  config FILE [--write OUT]   list the entries of a configuration file, or write them to OUT\n"
    "  list TTD_DIR [--inactive|--no-inactive]\n"
    "                              load the GRF list of a TTD directory and print it; the\n"
    "                              switches say whether the inactive state is offered\n"
    "                              instead of asking the patch\n"
    "  save TTD_DIR [--inactive|--no-inactive] [--yes]\n"
    "                              load the GRF list and save it again; --yes goes on\n"
    "                              past the sprite-limit question\n"
    "  analyze FILE...             per GRF file: name, normal and pseudo sprites, version, ID, info\n"
    "                              and description, separated by tabs\n"
    "  info TTD_DIR ENTRY          the file information of an entry such as \"newgrf/abc.grf 1 2\",\n"
    "                              as the window's information box shows it\n"
    "  install TTD_DIR FILE... [--replace] [--delete-source]\n"
    "                              install GRF files into TTD_DIR\\newgrf; the switches answer\n"
    "                              the replace and delete-source questions Yes\n"
    "  log TTD_DIR (--txt|--html) OUT [--inactive|--no-inactive]\n"
    "                              load the GRF list and write its TXT or HTML log to OUT\n"
    "  check TTD_DIR [--inactive|--no-inactive]\n"
    "                              load the GRF list and tell what the patch will refuse or\n"
    "                              override: per finding the file, a code and why, by tabs\n"
    "  facts FILE [PARAMETER...]   what one GRF file changes, one fact a line with its condition\n"
    "                              decided for the parameters, then its declared parameters\n"
    "  --help, -h                  print this text\n"
    "  --version                   print the program's name and version\n";

using Handler = int (*)(const std::vector<std::string>&, SystemAdapters&, std::ostream&, std::ostream&);

struct CommandEntry {
  const char* name;
  Handler run;
};

constexpr CommandEntry kCommands[] = {
    {"config", RunConfigCommand},
    {"list", RunListCommand},
    {"save", RunSaveCommand},
    {"analyze", RunAnalyzeCommand},
    {"info", RunInfoCommand},
    {"install", RunInstallCommand},
    {"log", RunLogCommand},
    {"check", RunCheckCommand},
    {"facts", RunFactsCommand},
};

}  // namespace

void RequireDirectory(FileSystem& files, const std::string& dir) {
  if (!files.DirectoryExists(dir)) throw NoSuchDirectory{dir};
}

int RunCli(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return kCliOk;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << "Kestrav " << kVersionLabel << "\n";
    return kCliOk;
  }
  if (!args.empty()) {
    for (const auto& command : kCommands) {
      if (args[0] != command.name) continue;
      try {
        const int status = command.run({args.begin() + 1, args.end()}, adapters, out, err);
        if (status == kCliUsage) err << kUsage;
        return status;
      } catch (const NoSuchDirectory& missing) {
        err << "no such directory: " << missing.dir << "\n";
        return kCliUsage;
      }
    }
  }
  err << kUsage;
  return kCliUsage;
}

}  // namespace kestrav
