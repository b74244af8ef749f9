#include "environment/installation_detection.h"

#include <cctype>
#include <limits>

#include "model/grf_entry.h"

namespace kestrav {
namespace {

constexpr const char* kSwitchesFile = "\\switches.xml";

void RemoveSwitchesFile(FileSystem& files, const std::string& ttdDir) {
  const std::string path = ttdDir + kSwitchesFile;
  // A file that cannot be deleted is not reported.
  if (files.FileExists(path)) files.RemoveFile(path);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<TtdEdition> RecogniseEdition(FileSystem& files, const std::string& ttdDir) {
  if (files.FileExists(ttdDir + "\\GameGFX.exe")) return TtdEdition::Windows;
  for (const char* name : {"\\tycoon.exe", "\\ttdx.exe", "\\ttdlx.exe"}) {
    if (files.FileExists(ttdDir + name)) return TtdEdition::Dos;
  }
  return std::nullopt;
}

std::string FindPatchExecutable(FileSystem& files, const std::string& ttdDir) {
  if (files.FileExists(ttdDir + "\\ttdpatch.exe")) return "ttdpatch.exe";
  if (files.FileExists(ttdDir + "\\ttdpatchw.exe")) return "ttdpatchw.exe";
  return "";
}

void ProbePatchVersion(Platform& platform, const std::string& ttdDir, bool& inactiveAvailable, unsigned waitMs) {
  FileSystem& files = platform.files;
  RemoveSwitchesFile(files, ttdDir);
  const std::string patch = FindPatchExecutable(files, ttdDir);
  // Without a patch there is nothing to start: the start fails as it would by name.
  const std::string program = patch.empty() ? std::string() : ttdDir + "\\" + patch;
  const std::string commandLine = ttdDir + "\\" + patch + " -!S-";
  if (platform.processes.RunHidden(program, commandLine, ttdDir, waitMs) == ProcessOutcome::StartFailed) {
    platform.dialogs.ShowMessage(MessageKind::Error, "Kestrav could not create process!", MessageButtons::Ok);
  }
  const std::string switches = ttdDir + kSwitchesFile;
  if (!files.FileExists(switches)) return;
  if (const auto id = platform.xml.ReadRootAttribute(switches, "ID")) {
    inactiveAvailable = PatchSupportsInactive(ParseHexInteger(*id));
  }
  RemoveSwitchesFile(files, ttdDir);
}

std::int32_t ParseHexInteger(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
      at + 2 < text.size() && HexDigit(text[at + 2]) >= 0) {
    at += 2;
  }
  // Accumulated in 64 bits and stopped once past the 32-bit range, so any length is safe.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; at < text.size() && HexDigit(text[at]) >= 0; ++at) {
    value = value * 16 + HexDigit(text[at]);
    if (value > kLimit) value = kLimit + 1;
  }
  if (negative) return value >= kLimit ? std::numeric_limits<std::int32_t>::min() : static_cast<std::int32_t>(-value);
  return value >= kLimit ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(value);
}

PatchVersionFields SplitPatchVersion(std::int32_t version) {
  const auto bits = static_cast<std::uint32_t>(version);
  PatchVersionFields fields;
  fields.major = version >> 24;
  fields.first = static_cast<int>((bits >> 20) & 0x0F);
  fields.second = static_cast<int>((bits >> 16) & 0x0F);
  fields.build = static_cast<int>(bits & 0xFFFF);
  if (fields.major == 2 && fields.first == 0 && fields.second >= 10) fields.second -= 9;
  return fields;
}

bool PatchSupportsInactive(std::int32_t version) {
  // Patches before 2.0 never knew inactive entries; every 2.x and later does. The finer
  // thresholds once drawn inside 2.0 fall on the same side of this line.
  return SplitPatchVersion(version).major >= 2;
}

}  // namespace kestrav
