#include <ostream>

#include "cli/cli.h"
#include "grf/parallel_analysis.h"
#include "platform/operation_error.h"

namespace kestrav {
namespace {

// Control bytes and backslashes as \xNN, so that every file stays one line of fields.
std::string Escaped(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == '\\') {
      escaped += "\\x";
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0x0F];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

// analyze FILE...: per file its name, normal and pseudo sprites and the log view's texts.
int RunAnalyzeCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                      std::ostream& err) {
  if (args.empty()) return kCliUsage;
  int status = kCliOk;
  std::string line;
  const std::vector<GrfInfo> infos = AnalyzeGrfFiles(*adapters.files, args, {}, GrfDetail::Counts);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& file = args[i];
    const GrfInfo& info = infos[i];
    if (!info.opened) {
      err << FillPattern("Cannot open file %s", file) << "\n";
      status = kCliFailed;
    }
    const GrfLogView view = LogViewOf(info);
    line = file;
    for (const std::string& field : {std::to_string(info.normalSprites), std::to_string(info.pseudoSprites),
                                     Escaped(view.versionText), Escaped(view.idText), Escaped(view.infoText),
                                     Escaped(view.descriptionText)}) {
      line += '\t';
      line += field;
    }
    line += '\n';
    out << line;
  }
  return status;
}

}  // namespace kestrav
