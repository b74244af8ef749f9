#include "model/grf_entry.h"

namespace kestrav {
namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

const char* StateWord(GrfState state) {
  switch (state) {
    case GrfState::Active: return "Active";
    case GrfState::Inactive: return "Inactive";
    case GrfState::Off: return "Off";
  }
  return "";
}

std::string Trim(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsTrimmed(text[first])) ++first;
  while (last > first && IsTrimmed(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::string EntryText(const GrfEntry& entry) {
  return entry.parameters.empty() ? entry.path : entry.path + " " + entry.parameters;
}

GrfEntry EntryFromText(const std::string& text, GrfState state) {
  const auto blank = text.find(' ');
  if (blank == std::string::npos) return GrfEntry{text, state, ""};
  return GrfEntry{text.substr(0, blank), state, text.substr(blank + 1)};
}

std::string EntryPath(const std::string& text) { return text.substr(0, text.find(' ')); }

std::string EntryFile(const std::string& ttdDir, const std::string& text) {
  return ttdDir + "\\" + ReplaceAll(EntryPath(text), '/', '\\');
}

std::string ReplaceAll(std::string text, char from, char to) {
  for (char& c : text) {
    if (c == from) c = to;
  }
  return text;
}

std::string FileNameOf(const std::string& path) {
  const auto cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace kestrav
