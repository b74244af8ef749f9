#include "model/config_file.h"

#include <algorithm>

#include "platform/operation_error.h"

namespace kestrav {
namespace {

constexpr std::string_view kDisabledMark = "#DISABLED#";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsSkipped(const std::string& line) {
  if (Trim(line).empty()) return true;
  return line[0] == '#' && !StartsWith(line, kDisabledMark);
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  // The LF of a CR LF ends an empty line, which is left out like any other.
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    if (i > start) lines.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  return lines;
}

std::vector<std::string> ConfigFileLines(const std::string& content) {
  // Notepad, which Open in Notepad starts, may save one; it is no part of the first line.
  if (!content.starts_with(kUtf8ByteOrderMark)) return SplitLines(content);
  return SplitLines(content.substr(kUtf8ByteOrderMark.size()));
}

std::optional<std::string> FindConfigFile(FileSystem& files, const std::string& ttdDir) {
  for (const char* name : {kWindowsConfigName, kDosConfigName}) {
    if (std::string path = ttdDir + "\\" + name; files.FileExists(path)) return path;
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> ReadConfigLines(FileSystem& files, const std::string& ttdDir) {
  const auto path = FindConfigFile(files, ttdDir);
  if (!path) return std::nullopt;
  const auto content = ReadWholeFile(files, *path);
  if (!content) throw OperationError(FillPattern("Cannot open file %s", *path));
  return ConfigFileLines(*content);
}

void CleanConfigLines(std::vector<std::string>& lines) {
  lines.erase(std::remove_if(lines.begin(), lines.end(), IsSkipped), lines.end());
}

GrfEntry ParseConfigLine(const std::string& line) {
  const std::string text = ReplaceAll(line, '\\', '/');
  const auto blank = text.find(' ');
  GrfEntry entry;
  entry.path = text.substr(0, blank);
  std::string rest = blank == std::string::npos ? std::string() : text.substr(blank);
  entry.state = GrfState::Active;
  const auto mark = rest.find('!');
  if (mark != std::string::npos) {
    entry.state = GrfState::Inactive;
    rest = Trim(rest.substr(0, mark)) + " " + Trim(rest.substr(mark + 1));
  }
  if (StartsWith(entry.path, kDisabledMark)) {
    entry.state = GrfState::Off;
    entry.path.erase(0, kDisabledMark.size());
  }
  entry.parameters = Trim(rest);
  return entry;
}

std::string FormatConfigLine(const GrfEntry& entry) {
  switch (entry.state) {
    case GrfState::Active:
      return Trim(EntryText(entry));
    case GrfState::Inactive: {
      const std::string parameters = Trim(entry.parameters);
      if (parameters.empty() || parameters == "0") return entry.path + " !";
      return entry.path + " ! " + parameters;
    }
    case GrfState::Off:
      return std::string(kDisabledMark) + EntryText(entry);
  }
  return {};
}

std::string FormatConfigFile(const std::vector<GrfEntry>& entries) {
  std::string content;
  for (const auto& entry : entries) {
    content += FormatConfigLine(entry);
    content += "\r\n";
  }
  return content;
}

void WriteConfigFile(FileSystem& files, const std::string& path, const std::vector<GrfEntry>& entries) {
  files.WriteWholeFile(path, FormatConfigFile(entries));
}

}  // namespace kestrav
