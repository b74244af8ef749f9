#include "grf/file_info_report.h"

#include "model/grf_entry.h"

namespace kestrav {

std::string FileInfoReport(const GrfInfo& info, const std::string& path, Locale& locale) {
  std::string report = "File name: " + FileNameOf(path) + "\n";
  report += "Modified: " + locale.ShortDate(info.modified) + " " + locale.LongTime(info.modified) + "\n";
  for (const GrfAction8& record : info.action8) {
    report += "\nGRF Version: " + std::to_string(static_cast<int>(record.version));
    report += "\nGRF ID: " + record.grfId;
    report += "\nInfo: " + record.info;
    report += "\nDescription: " + record.description;
  }
  if (info.action8Count > static_cast<int>(info.action8.size())) {
    report += "\n... and " + std::to_string(info.action8Count - info.action8.size()) + " more Action 8 records";
  }
  if (info.action8Count == 0) report += "\n'Action 8' not found.\nThere is no data written by author";
  report += "\n\nTotal Sprites: " + std::to_string(info.totalSprites);
  report += "\n    Normal Sprites: " + std::to_string(info.normalSprites);
  report += "\n    Pseudo Sprites: " + std::to_string(info.pseudoSprites);
  return report;
}

}  // namespace kestrav
