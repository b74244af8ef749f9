// Configuration text through splitting, cleaning, parsing and formatting: whatever the
// bytes, every step keeps its promises and a formatted line parses back to its entry.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/config_file.h"

namespace {

using kestrav::GrfEntry;
using kestrav::GrfState;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool SameEntry(const GrfEntry& a, const GrfEntry& b) {
  return a.path == b.path && a.state == b.state && a.parameters == b.parameters;
}

// Lines that a formatted entry can stand for without loss: a path that survives the trim of
// an Active line and parameters without a second "!" mark.
bool RoundTrips(const GrfEntry& entry) {
  if (entry.parameters.find('!') != std::string::npos) return false;
  if (entry.state != GrfState::Active) return true;
  if (entry.path.empty() || static_cast<unsigned char>(entry.path.front()) <= 32) return false;
  return !entry.parameters.empty() || static_cast<unsigned char>(entry.path.back()) > 32;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines = kestrav::SplitLines(text);
  for (const auto& line : lines) Check(line.find_first_of("\r\n") == std::string::npos);

  kestrav::CleanConfigLines(lines);
  std::vector<GrfEntry> entries;
  for (const auto& line : lines) {
    Check(!kestrav::Trim(line).empty());
    Check(line[0] != '#' || line.compare(0, 10, "#DISABLED#") == 0);
    const GrfEntry entry = kestrav::ParseConfigLine(line);
    Check(entry.path.find(' ') == std::string::npos && entry.path.find('\\') == std::string::npos);
    Check(kestrav::Trim(entry.parameters) == entry.parameters);
    Check(SameEntry(entry, kestrav::EntryFromText(kestrav::EntryText(entry), entry.state)));

    const std::string formatted = kestrav::FormatConfigLine(entry);
    Check(formatted.find_first_of("\r\n") == std::string::npos);
    if (RoundTrips(entry)) {
      GrfEntry expected = entry;
      if (entry.state == GrfState::Inactive && entry.parameters == "0") expected.parameters.clear();
      Check(SameEntry(expected, kestrav::ParseConfigLine(formatted)));
    }
    entries.push_back(entry);
  }
  // The whole file: one line per entry, in order.
  const std::vector<std::string> written = kestrav::SplitLines(kestrav::FormatConfigFile(entries));
  Check(written.size() == entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) Check(written[i] == kestrav::FormatConfigLine(entries[i]));
  return 0;
}
