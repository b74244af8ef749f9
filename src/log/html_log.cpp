// The HTML log: a centred heading table, one bordered table of every entry coloured by its
// state with links to the top and the bottom, and a footer. Every value taken from a file or
// an entry text is escaped, so that a GRF file cannot put markup or script into the page.
#include <string>

#include "environment/program_identity.h"
#include "log/log_format.h"

namespace kestrav {
namespace {

constexpr const char* kEnd = "\r\n";

std::string Escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c; break;
    }
  }
  return out;
}

// Closes the entry's first cell and opens the sprite cell behind the state cell.
const char* StatePiece(GrfState state) {
  switch (state) {
    case GrfState::Active:
      return "</b></TD><td bgcolor=\"#00CC00\"><i><b>(Active)</b></i></td><td>Sprites, Total: ";
    case GrfState::Inactive:
      return "</b></TD><td bgcolor=\"#CCCC00\"><i><b>(Inactive)</b></i></td><td>Sprites, Total: ";
    case GrfState::Off:
      return "</b></TD><td bgcolor=\"#DD8888\"><i><b>(Off)</b></i></td><td>Sprites, Total: ";
  }
  return "";
}

std::string Header(const LogHeader& header) {
  return std::string("<html><head><title>TTDPatch Graphics Log</title></head><body><table align=\"center\">") +
         kEnd + "<tr><td><b><a name=\"top\"></a><center>KESTRAV LOG FILE</center></b></TD></TR>" + kEnd +
         "<tr><td><center>Created: " + Escaped(header.created) + "</center></TD></TR>" + kEnd +
         "<tr><td><center>Total Sprites Count: " + std::to_string(header.totalSprites) + "</center></TD></TR>" +
         kEnd + "<tr><td><center>Active Sprites Count: " + std::to_string(header.activeSprites) +
         "</center></TD></TR>" + kEnd + "</TABLE><table border=\"1\">" + kEnd;
}

// A row of an empty cell, the label and the value.
std::string Detail(const char* label, const std::string& value, const char* close = "</td></tr>") {
  return std::string("<tr><td>&nbsp;</td><td>") + label + "</TD><td>" + Escaped(value) + close + kEnd;
}

std::string Entry(const LogEntry& entry) {
  const GrfLogView& view = entry.view;
  return "<tr><td><b>" + Escaped(entry.text) + StatePiece(entry.state) + std::to_string(view.totalSprites) +
         ", Normal: " + std::to_string(view.totalSprites - view.pseudoSprites) +
         ", Pseudo: " + std::to_string(view.pseudoSprites) + "</td></tr>" + kEnd +
         Detail("Modified:", entry.modified) + Detail("Version:", view.versionText, "</TD></tr>") +
         Detail("ID:", view.idText) + Detail("Info:", view.infoText) +
         Detail("Description:", view.descriptionText) +
         "<tr><td colspan=\"3\"><a href=\"#top\">Top</a> || <a href=\"#bottom\">Bottom</a></TD></TR>" + kEnd;
}

std::string Footer() {
  return std::string("</table><hr><center>created by <a name=\"bottom\" target=\"_blank\" href=\"") + kHomepage +
         "\">Kestrav</a> " + kVersionLabel + "</center></body></html>" + kEnd;
}

}  // namespace

const LogFormat kHtmlLog{"HTML File (*.html, *.htm)|*.html;*.htm|All Files (*.*)|*.*", "html", Header, Entry,
                         Footer};

}  // namespace kestrav
