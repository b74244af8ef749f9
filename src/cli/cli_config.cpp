#include <ostream>

#include "cli/cli.h"
#include "model/config_file.h"
#include "platform/operation_error.h"

namespace kestrav {

// config FILE [--write OUT]
int RunConfigCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                     std::ostream& err) {
  const bool write = args.size() == 3 && args[1] == "--write";
  if (args.size() != 1 && !write) return kCliUsage;
  FileSystem& files = *adapters.files;
  try {
    const auto content = ReadWholeFile(files, args[0]);
    if (!content) throw OperationError(FillPattern("Cannot open file %s", args[0]));
    std::vector<std::string> lines = ConfigFileLines(*content);
    CleanConfigLines(lines);
    std::vector<GrfEntry> entries;
    for (const auto& line : lines) entries.push_back(ParseConfigLine(line));
    if (write) {
      WriteConfigFile(files, args[2], entries);
      return kCliOk;
    }
    std::string listing;
    for (const auto& entry : entries) {
      listing += std::string(StateWord(entry.state)) + "\t" + entry.path + "\t" + entry.parameters + "\n";
    }
    out << listing;
    return kCliOk;
  } catch (const OperationError& error) {
    err << error.what() << "\n";
    return kCliFailed;
  }
}

}  // namespace kestrav
