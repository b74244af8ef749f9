// The plain-text log: a header of six lines, then per entry its line, its date and, for a
// file that is there, its sprite counts and author's data. Texts go in byte for byte.
#include <string>

#include "environment/program_identity.h"
#include "log/log_format.h"

namespace kestrav {
namespace {

constexpr const char* kEnd = "\r\n";

std::string Header(const LogHeader& header) {
  return std::string("Kestrav Log File: ") + kVersionLabel + kEnd + "Kestrav Homepage: " + kHomepage + kEnd +
         "Created: " + header.created + kEnd + "Total Sprites Count: " + std::to_string(header.totalSprites) +
         kEnd + "Active Sprites Count: " + std::to_string(header.activeSprites) + kEnd + kEnd;
}

std::string Entry(const LogEntry& entry) {
  std::string lines = entry.text + " (" + StateWord(entry.state) + ")" + kEnd + "\tModified: " + entry.modified + kEnd;
  if (!entry.found) return lines;
  const GrfLogView& view = entry.view;
  return lines + "\tSprites: " + std::to_string(view.totalSprites) + " total, " +
         std::to_string(view.totalSprites - view.pseudoSprites) + " normal, " + std::to_string(view.pseudoSprites) +
         " pseudo" + kEnd + "\tVersion: " + view.versionText + kEnd + "\tID: " + view.idText + kEnd +
         "\tInfo: " + view.infoText + kEnd + "\tDescription: " + view.descriptionText + kEnd + kEnd;
}

std::string Footer() { return {}; }

}  // namespace

const LogFormat kTxtLog{"Text File (*.txt)|*.txt|All Files (*.*)|*.*", "txt", Header, Entry, Footer};

}  // namespace kestrav
