#pragma once
// Deciding, before the game starts, which of a file's facts apply: its skips and parameter
// arithmetic followed with what is known of one entry (its parameters, the GRF IDs around it
// in the list, the edition), everything else left open and said in a player's words.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "environment/installation_detection.h"
#include "grf/grf_facts.h"

namespace kestrav {

// What an undecided outcome depends on: a variable of the game and, when the outcome is a
// plain test of it, the test that skips (code and value; code 0xFF: no plain test).
struct GrfDoubt {
  static constexpr std::uint8_t kOtherFiles = 0xFE;  // values only the patch allocates
  static constexpr std::uint8_t kPatched = 0x06;     // a sprite changed while it loads
  std::uint8_t variable = 0;
  std::uint8_t code = 0xFF;
  std::uint32_t value = 0;
};

// The outcome, for a fact that does not apply because of it, in words: "only in the arctic
// climate", "depending on the patch's switches".
std::string DoubtText(const GrfDoubt& doubt);

// Where a GRF ID stands around the entry being decided.
struct GrfIdPlaces {
  bool before = false;  // an Active or Inactive entry before it has the ID
  bool after = false;   // one after it
};

struct GrfEntryContext {
  std::vector<std::uint32_t> parameters;  // as the entry gives them
  std::optional<TtdEdition> edition;      // nothing: either
  // The places of a GRF ID under a mask; unset: the list is not known.
  std::function<GrfIdPlaces(GrfId id, GrfId mask)> places;
};

struct DecidedFact {
  std::uint32_t fact = 0;  // index into GrfFacts::facts
  bool certain = true;     // false: it applies or not, as doubt says
  GrfDoubt doubt;
};

// The facts that apply or may apply to the entry, in file order; those that its skips
// certainly pass over are left out. Reuses out.
void DecideFacts(const GrfFacts& facts, const GrfEntryContext& context, std::vector<DecidedFact>& out);

// The numbers of an entry's parameter text ("1 2 -3"), each as the patch keeps it in 32 bits.
std::vector<std::uint32_t> EntryParameterValues(const std::string& parameters);

}  // namespace kestrav
