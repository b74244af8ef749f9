#pragma once
// What a GRF file changes, taken from its pseudo sprites during the one walk that counts
// them: the IDs it gives properties or graphics, the files it deactivates, its messages, the
// skips and parameter arithmetic that guard all of these, and its declared parameters.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrav {

// A GRF ID as a number: its four bytes in file order, the first the lowest.
using GrfId = std::uint32_t;
// "%02X%02X%02X%02X" of the four bytes in file order.
std::string GrfIdText(GrfId id);
// The ID of an eight-digit text such as GrfAction8::grfId; nothing for any other text.
std::optional<GrfId> GrfIdOf(const std::string& text);

enum class GrfFactKind : std::uint8_t {
  Properties,       // Action 0: IDs first .. first+count-1 of the feature get properties
  Graphics,         // Action 3: the IDs get graphics
  LiveryOverride,   // Action 3 for wagons drawn behind the IDs: the IDs themselves keep theirs
  GenericGraphics,  // Action 3 without IDs: a default for the whole feature
  Deactivates,      // Action E: the file of GRF ID `grfId` is switched off
  LoadBefore,       // Action B message 04: must be loaded before `grfId` (0 when not known)
  LoadAfter,        // Action B message 05: must be loaded after `grfId`
  FatalError,       // Action B of severity 03, any other message
};

struct GrfFact {
  GrfFactKind kind = GrfFactKind::Properties;
  std::uint8_t feature = 0;
  std::uint8_t message = 0;    // Action B: the message number
  bool patched = false;        // an Action 6 changes this sprite while the patch loads it
  std::uint32_t sprite = 0;    // the index of its sprite in the file
  std::uint32_t first = 0;     // the first ID
  std::uint32_t count = 0;     // how many IDs
  GrfId grfId = 0;             // Deactivates and messages
  std::uint32_t text = 0;      // messages: index of the message's data text in GrfFacts::texts
};

// Action 7 or 9: when the condition holds, the sprites after it up to target are skipped.
struct GrfSkip {
  static constexpr std::uint32_t kEndOfFile = UINT32_MAX;
  std::uint32_t sprite = 0;
  std::uint32_t target = kEndOfFile;  // the index of the sprite the walk goes on with
  std::uint8_t variable = 0, code = 0, size = 0;
  bool patched = false;
  std::uint32_t value = 0;            // for variable 88 the GRF ID
  std::uint32_t mask = UINT32_MAX;    // variable 88 with a size of 8
};

// Action D: parameter target = op(src1, src2).
struct GrfAssign {
  std::uint32_t sprite = 0;
  std::uint8_t target = 0, op = 0, src1 = 0, src2 = 0;
  bool patched = false;
  std::uint32_t data = 0;
};

// One parameter the file declares in its Action 14 information.
struct GrfParameterInfo {
  std::uint32_t number = 0;
  std::string name;  // the first NAME text
  std::optional<std::uint32_t> minimum, maximum, defaultValue;
  // The bits of the entry's parameter the limits apply to (MASK): all of `number` by default.
  std::uint8_t firstBit = 0, bits = 32;
};

struct GrfFacts {
  // The most facts, skips and assignments together that one file keeps: a file of more is
  // capped, and whatever is said about it says that not all was read.
  static constexpr std::size_t kMaxSteps = 4096;
  static constexpr std::size_t kMaxParameters = 128;
  static constexpr std::size_t kMaxText = 80;
  std::vector<GrfFact> facts;  // in file order, as are skips and assigns
  std::vector<GrfSkip> skips;
  std::vector<GrfAssign> assigns;
  std::vector<std::string> texts;                    // message data texts, shortened to kMaxText
  std::optional<std::uint32_t> declaredParameters;   // NPAR
  std::vector<GrfParameterInfo> parameters;          // by number
  std::vector<GrfId> testedIds;                      // every GRF ID a skip tests (variable 88)
  // The first action before the first Action 8 record that may not stand there.
  std::optional<std::uint8_t> actionBeforeAction8;
  // The Action 8 records, not counting a first record of 4 bytes (the number of sprites).
  std::uint32_t action8Records = 0;
  bool capped = false;
};

// Collects the facts of one file while its records are walked: every record goes through
// Sprite, a pseudo sprite with its data. Allocates only for what it keeps.
class GrfFactGatherer {
 public:
  // data and size: the pseudo sprite's data; nullptr for a normal sprite.
  void Sprite(const std::uint8_t* data, std::size_t size) {
    // Most sprites are pictures, or the data of the action before them: nothing to decode.
    if (!patchNext_ && (!data || dataSprites_ > 0)) {
      patched_ = false;
      if (dataSprites_ > 0) --dataSprites_;
      ++sprite_;
      return;
    }
    Decode(data, size);
  }
  GrfFacts Finish();

 private:
  struct Label {
    std::uint32_t sprite;
    std::uint8_t id;
  };
  void Decode(const std::uint8_t* data, std::size_t size);
  bool Room();
  void AddFact(GrfFact fact);
  void Action0(const std::uint8_t* data, std::size_t size);
  void Action3(const std::uint8_t* data, std::size_t size);
  void Skip(const std::uint8_t* data, std::size_t size);
  void Message(const std::uint8_t* data, std::size_t size);
  void Deactivate(const std::uint8_t* data, std::size_t size);
  void Assign(const std::uint8_t* data, std::size_t size);
  void Action14(const std::uint8_t* data, std::size_t size);
  static std::uint64_t DataSprites(const std::uint8_t* data, std::size_t size);

  GrfFacts facts_;
  std::vector<Label> labels_;
  std::vector<std::uint8_t> skipNumbers_;  // the num byte of each skip, for the labels
  std::vector<std::uint32_t> targets_;     // min-heap of skip landings not yet passed
  std::uint32_t sprite_ = 0;
  std::uint64_t dataSprites_ = 0;  // sprites still to come that an action announced as its data
  bool patchNext_ = false, patched_ = false;
  bool mergeable_ = false;  // nothing since the last fact stops the next from joining it
  bool seenAction8_ = false;
};

}  // namespace kestrav
