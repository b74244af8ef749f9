#pragma once
// One entry of the GRF list and the texts derived from it.
#include <string>

namespace kestrav {

enum class GrfState {
  Active,    // checked: used in all new games
  Inactive,  // grayed: loaded only with a saved game that uses it
  Off,       // unchecked: turned off
};

// The state's name: "Active", "Inactive" or "Off".
const char* StateWord(GrfState state);

struct GrfEntry {
  std::string path;        // relative to the TTD directory, "/" separators, no blank
  GrfState state = GrfState::Off;
  std::string parameters;  // "1 2 -3"; empty when the file has none
};

// Removes every character of code 0 to 32 from both ends.
std::string Trim(const std::string& text);

// The path alone, or the path, one blank and the parameters.
std::string EntryText(const GrfEntry& entry);
// Splits an entry text at its first blank into path and parameters.
GrfEntry EntryFromText(const std::string& text, GrfState state);
// The entry text up to its first blank.
std::string EntryPath(const std::string& text);
// The file of an entry: its path with "\\" separators joined to the TTD directory.
std::string EntryFile(const std::string& ttdDir, const std::string& text);

std::string ReplaceAll(std::string text, char from, char to);
// The part of a path after its last "\\", "/" or ":".
std::string FileNameOf(const std::string& path);

}  // namespace kestrav
