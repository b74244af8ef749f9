#pragma once
// What one reading of a GRF file yields: its sprite counts, its Action 8 records and its
// date, and the reduced view of that result that the logs print.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "grf/grf_facts.h"
#include "platform/file_system.h"

namespace kestrav {

// What one call of ReadSpriteRecord found.
enum class SpriteRecordKind {
  End,     // the terminator, the end of the file, or a record the end of the file cuts short
  Pseudo,  // info byte 0xFF: its data is in the record buffer
  Normal,  // any other info byte: read past, its data is not kept
};

// One Action 8 record as the file states it.
struct GrfAction8 {
  std::int8_t version = 0;
  std::string grfId;        // the four ID bytes as "%02X%02X%02X%02X", in file order
  std::string info;         // byte for byte, without character-set conversion
  std::string description;  // byte for byte, without character-set conversion
  bool operator==(const GrfAction8&) const = default;
};

struct GrfInfo {
  bool opened = false;
  // Local time at DOS resolution; the DOS epoch (1980-01-01 00:00:00) when the system
  // cannot give one for a file that did open.
  DosDateTime modified;
  int totalSprites = 0;   // records before the terminator, pseudo sprites included
  int pseudoSprites = 0;  // records with info byte 0xFF
  int normalSprites = 0;  // totalSprites - pseudoSprites
  // The Action 8 records in file order: the first kKeptAction8 of them. action8Count says how
  // many the file holds; when that is more, lastAction8 is the last of them.
  static constexpr std::size_t kKeptAction8 = 256;
  std::vector<GrfAction8> action8;
  int action8Count = 0;
  std::optional<GrfAction8> lastAction8;
  // What the walk saw besides: the number of records after the first that the first record
  // announces when it is a pseudo sprite of 4 bytes, as every graphics file begins; whether
  // the walk ended at the terminating zero size (not at the end of the file); whether a
  // file that ends at once begins with the signature of the second container format.
  std::optional<std::uint32_t> announcedSprites = std::nullopt;
  bool endedCleanly = false;
  bool secondContainer = false;
  // What the file changes (left empty when the analysis was asked for counts alone).
  GrfFacts facts;
};

// The last Action 8 record of the file, the one the patch goes by; null without one.
const GrfAction8* LastAction8(const GrfInfo& info);
// Keeps of the Action 8 records only the last: all that the checks of a list need.
void KeepLastAction8(GrfInfo& info);

inline constexpr const char* kNoInfoFound = " - no info found - ";
inline constexpr const char* kNoDescriptionFound = " - no description found - ";

// What the TXT and HTML logs print for one file: taken from the last Action 8 record.
struct GrfLogView {
  std::string versionText;      // decimal, "-1" for a version byte 0xFF; "" without a record
  std::string idText;           // "" without a record
  std::string infoText;         // kNoInfoFound when missing or empty
  std::string descriptionText;  // kNoDescriptionFound when missing or empty
  int totalSprites = 0;
  int pseudoSprites = 0;
  bool operator==(const GrfLogView&) const = default;
};

// For a file that did not open every text is empty and both counts are 0: the defaults
// for missing texts speak about a file that was read.
GrfLogView LogViewOf(const GrfInfo& info);

}  // namespace kestrav
