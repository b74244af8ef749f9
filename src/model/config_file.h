#pragma once
// The configuration file newgrf.cfg / newgrfw.cfg: reading, cleaning, parsing, formatting
// and writing its lines.
#include <optional>
#include <string>
#include <vector>

#include "model/grf_entry.h"
#include "platform/file_system.h"

namespace kestrav {

inline constexpr const char* kDosConfigName = "newgrf.cfg";
inline constexpr const char* kWindowsConfigName = "newgrfw.cfg";

// Splits text into lines: CR LF, a lone LF and a lone CR each end a line; a last line
// without a line end counts like one with it. Empty lines, which the reader skips, are left
// out here already, so that a file of line ends costs no memory beyond its own.
std::vector<std::string> SplitLines(const std::string& text);

// The lines of a configuration file's whole content: SplitLines after a leading UTF-8
// byte-order mark, which an editor may have saved, is left out.
std::vector<std::string> ConfigFileLines(const std::string& content);

// The lines of ttdDir\newgrfw.cfg when it exists, else of ttdDir\newgrf.cfg; nothing when
// neither exists. Throws OperationError "Cannot open file %s" for a file that exists but
// cannot be read.
std::optional<std::vector<std::string>> ReadConfigLines(FileSystem& files, const std::string& ttdDir);

// ttdDir + "\\newgrfw.cfg" when it exists, else ttdDir + "\\newgrf.cfg" when that does,
// whatever the edition: the Windows edition's file is preferred.
std::optional<std::string> FindConfigFile(FileSystem& files, const std::string& ttdDir);

// Removes, in place, the lines the reader skips: empty ones (also those made only of
// blanks and other characters of code 32 or below) and comments ("#" not followed by
// the rest of "#DISABLED#").
void CleanConfigLines(std::vector<std::string>& lines);

// One remaining line as path ("/" separators), state and trimmed parameters.
GrfEntry ParseConfigLine(const std::string& line);

// The line written for one entry (without line end).
std::string FormatConfigLine(const GrfEntry& entry);

// Every entry's line followed by CR LF: the whole new content of the file.
std::string FormatConfigFile(const std::vector<GrfEntry>& entries);

// Replaces the file at path with the entries' lines. Throws OperationError
// "Cannot create file %s"; on failure the old file stays as it was.
void WriteConfigFile(FileSystem& files, const std::string& path, const std::vector<GrfEntry>& entries);

}  // namespace kestrav
