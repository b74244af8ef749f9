#pragma once
// What the TTD directory holds: the game's edition, the patch executable and the patch's
// version, which decides whether the inactive state is offered.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace kestrav {

enum class TtdEdition { Dos, Windows };

inline constexpr unsigned kProbeWaitMs = 10000;

// Windows when GameGFX.exe exists; else DOS when tycoon.exe, ttdx.exe or ttdlx.exe does;
// else not recognised.
std::optional<TtdEdition> RecogniseEdition(FileSystem& files, const std::string& ttdDir);

// "ttdpatch.exe", else "ttdpatchw.exe", else "".
std::string FindPatchExecutable(FileSystem& files, const std::string& ttdDir);

// Runs the patch with " -!S-" so that it writes switches.xml, reads the version from the
// document element's "ID" attribute and sets inactiveAvailable from it. Without a readable
// version inactiveAvailable keeps its value. switches.xml is deleted before and after.
void ProbePatchVersion(Platform& platform, const std::string& ttdDir, bool& inactiveAvailable,
                       unsigned waitMs = kProbeWaitMs);

// A hexadecimal integer text: leading white space, an optional sign, an optional "0x",
// then hexadecimal digits up to the first other character; no digits give 0; values
// beyond the signed 32-bit range are clamped to it.
std::int32_t ParseHexInteger(const std::string& text);

// The fields of a patch version.
struct PatchVersionFields {
  int major;   // bits 31..24, sign kept
  int first;   // bits 23..20
  int second;  // bits 19..16 (lowered by 9 for 2.0.10 and above)
  int build;   // bits 15..0
};
PatchVersionFields SplitPatchVersion(std::int32_t version);

// Whether a patch of this version understands inactive entries.
bool PatchSupportsInactive(std::int32_t version);

}  // namespace kestrav
