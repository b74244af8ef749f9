#include "grf/fact_conditions.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace kestrav {
namespace {

constexpr std::uint8_t kEditionVariable = 0x8D;
constexpr std::uint8_t kPlatformVariable = 0x9D;
constexpr std::uint8_t kGrfVariable = 0x88;

// A parameter or a source of Action D: known, or unknown for a reason.
struct Value {
  std::uint32_t number = 0;
  bool known = true;
  bool defined = false;  // given by the entry or set by the file
  bool exact = false;    // unknown, but equal to the variable named by why
  GrfDoubt why;
};

Value Unknown(std::uint8_t variable, bool exact) {
  Value value;
  value.known = false;
  value.defined = true;
  value.exact = exact;
  value.why.variable = variable;
  return value;
}

Value Known(std::uint32_t number) {
  Value value;
  value.number = number;
  value.defined = true;
  return value;
}

enum class Outcome { Skips, Passes, Undecided };

struct Decision {
  Outcome outcome;
  GrfDoubt doubt;
};

class Interpreter {
 public:
  Interpreter(const GrfFacts& facts, const GrfEntryContext& context) : facts_(facts), context_(context) {
    for (std::size_t i = 0; i < context.parameters.size() && i < parameters_.size(); ++i) {
      parameters_[i] = Known(context.parameters[i]);
    }
  }

  void Run(std::vector<DecidedFact>& out) {
    std::size_t fact = 0, skip = 0, assign = 0;
    const auto& facts = facts_.facts;
    const auto& skips = facts_.skips;
    const auto& assigns = facts_.assigns;
    constexpr std::uint32_t kNone = UINT32_MAX;
    for (;;) {
      const std::uint32_t atFact = fact < facts.size() ? facts[fact].sprite : kNone;
      const std::uint32_t atSkip = skip < skips.size() ? skips[skip].sprite : kNone;
      const std::uint32_t atAssign = assign < assigns.size() ? assigns[assign].sprite : kNone;
      const std::uint32_t at = std::min({atFact, atSkip, atAssign});
      if (at == kNone) return;
      Forget(at);
      if (at == atFact) {
        DecidedFact decided{static_cast<std::uint32_t>(fact), true, {}};
        if (!pending_.empty()) {
          decided = {decided.fact, false, pending_.back().why};
        } else if (facts[fact].patched) {
          decided = {decided.fact, false, {GrfDoubt::kPatched}};
        }
        out.push_back(decided);
        ++fact;
      } else if (at == atAssign) {
        Apply(assigns[assign++]);
      } else {
        const GrfSkip& test = skips[skip++];
        Decision decision = Decide(test);
        // A skip inside a stretch that may be skipped itself decides nothing for sure.
        if (decision.outcome == Outcome::Skips && !pending_.empty()) decision = {Outcome::Undecided, pending_.back().why};
        if (decision.outcome == Outcome::Undecided) {
          pending_.push_back({test.target, decision.doubt});
          nearestEnd_ = std::min(nearestEnd_, test.target);
        } else if (decision.outcome == Outcome::Skips) {
          if (test.target == GrfSkip::kEndOfFile) return;
          const auto from = [&](const auto& steps) {
            return static_cast<std::size_t>(
                std::lower_bound(steps.begin(), steps.end(), test.target,
                                 [](const auto& step, std::uint32_t sprite) { return step.sprite < sprite; }) -
                steps.begin());
          };
          fact = std::max(fact, from(facts));
          skip = std::max(skip, from(skips));
          assign = std::max(assign, from(assigns));
        }
      }
    }
  }

 private:
  struct Pending {
    std::uint32_t target;
    GrfDoubt why;
  };

  // The stretches of doubt that end before sprite are over.
  void Forget(std::uint32_t sprite) {
    if (sprite < nearestEnd_) return;
    std::erase_if(pending_, [&](const Pending& p) { return p.target <= sprite; });
    nearestEnd_ = UINT32_MAX;
    for (const Pending& p : pending_) nearestEnd_ = std::min(nearestEnd_, p.target);
  }

  Value Source(std::uint8_t source, std::uint32_t data) const {
    if (source < 0x80) {
      Value value = parameters_[source];
      if (!value.defined) value.number = 0;  // a parameter the entry does not give reads 0
      return value;
    }
    switch (source) {
      case 0xFF: return Known(data);
      case 0xFE: return Unknown(GrfDoubt::kOtherFiles, false);
      case kPlatformVariable: return Known(0);
      case kEditionVariable:
        if (context_.edition) return Known(*context_.edition == TtdEdition::Windows ? 1 : 0);
        return Unknown(kEditionVariable, true);
      default: return Unknown(source, true);
    }
  }

  static std::uint32_t Compute(std::uint8_t op, std::uint32_t a, std::uint32_t b, bool& ok) {
    const auto shifted = [](std::uint32_t value, std::int32_t by, bool arithmetic) -> std::uint32_t {
      if (by >= 32 || by <= -32) return arithmetic && by < 0 && static_cast<std::int32_t>(value) < 0 ? UINT32_MAX : 0;
      if (by >= 0) return value << by;
      return arithmetic ? static_cast<std::uint32_t>(static_cast<std::int32_t>(value) >> -by) : value >> -by;
    };
    switch (op) {
      case 0x00: return a;
      case 0x01: return a + b;
      case 0x02: return a - b;
      case 0x03: return a * b;
      case 0x04: return static_cast<std::uint32_t>(static_cast<std::int64_t>(static_cast<std::int32_t>(a)) *
                                                   static_cast<std::int32_t>(b));
      case 0x05: return shifted(a, static_cast<std::int32_t>(b), false);
      case 0x06: return shifted(a, static_cast<std::int32_t>(b), true);
      case 0x07: return a & b;
      case 0x08: return a | b;
      case 0x09: if (b != 0) return a / b; break;
      case 0x0A:
        if (b != 0 && !(a == 0x80000000u && b == UINT32_MAX)) {
          return static_cast<std::uint32_t>(static_cast<std::int32_t>(a) / static_cast<std::int32_t>(b));
        }
        break;
      case 0x0B: if (b != 0) return a % b; break;
      case 0x0C:
        if (b != 0 && !(a == 0x80000000u && b == UINT32_MAX)) {
          return static_cast<std::uint32_t>(static_cast<std::int32_t>(a) % static_cast<std::int32_t>(b));
        }
        break;
      default: break;
    }
    ok = false;
    return 0;
  }

  void Apply(const GrfAssign& assign) {
    if (assign.target >= parameters_.size()) return;  // the patch's own variables: no parameter
    Value& target = parameters_[assign.target];
    if ((assign.op & 0x80) && target.defined) return;
    const std::uint8_t op = assign.op & 0x7F;
    const Value a = Source(assign.src1, assign.data);
    const Value b = op == 0x00 ? Known(0) : Source(assign.src2, assign.data);
    Value result;
    if (a.known && b.known) {
      bool ok = true;
      result = Known(Compute(op, a.number, b.number, ok));
      if (!ok) result = Unknown(GrfDoubt::kOtherFiles, false);
    } else {
      const Value& unknown = a.known ? b : a;
      const Value& other = a.known ? a : b;
      // A copy, or the low byte kept by AND, still says which variable it is.
      const bool exact = unknown.exact && (op == 0x00 || (op == 0x07 && other.known && (other.number & 0xFF) == 0xFF));
      result = Unknown(unknown.why.variable, exact);
    }
    if (assign.patched) result = Unknown(GrfDoubt::kPatched, false);
    if (!pending_.empty()) result = Unknown(pending_.back().why.variable, false);
    target = result;
  }

  static bool Holds(std::uint8_t code, std::uint32_t number, std::uint32_t value, std::uint8_t size) {
    const std::uint32_t mask = size == 1 ? 0xFFu : size == 2 ? 0xFFFFu : UINT32_MAX;
    switch (code) {
      case 0x00: return value < 32 && (number >> value & 1);
      case 0x01: return value >= 32 || !(number >> value & 1);
      case 0x02: return (number & mask) == (value & mask);
      case 0x03: return (number & mask) != (value & mask);
      case 0x04: return (number & mask) < (value & mask);
      default: return (number & mask) > (value & mask);
    }
  }

  Decision Decide(const GrfSkip& skip) const {
    const auto open = [&](std::uint8_t variable, bool plain) {
      return Decision{Outcome::Undecided, {variable, plain ? skip.code : std::uint8_t{0xFF}, skip.value}};
    };
    const auto outcome = [](bool holds) { return Decision{holds ? Outcome::Skips : Outcome::Passes, {}}; };
    if (skip.patched) return open(GrfDoubt::kPatched, false);
    if (skip.code > 0x0A) return open(skip.variable, true);  // cargo labels, unknown tests, unreadable
    if (skip.variable == kGrfVariable) {
      if (skip.code < 0x06 || !context_.places) return open(kGrfVariable, skip.code >= 0x06);
      const GrfIdPlaces places = context_.places(skip.value, skip.mask);
      switch (skip.code) {
        case 0x06: return outcome(places.before);
        case 0x07: return outcome(!places.before);
        case 0x08: return outcome(places.after);
        case 0x09: return outcome(places.before || places.after);
        default: return outcome(!places.before && !places.after);
      }
    }
    if (skip.code > 0x05) return open(skip.variable, false);
    Value value;
    if (skip.variable < 0x80) {
      value = parameters_[skip.variable];
      if (!value.defined) return outcome(false);  // a test of a parameter not given skips nothing
    } else {
      value = Source(skip.variable, 0);
    }
    if (!value.known) return open(value.why.variable, value.exact);
    return outcome(Holds(skip.code, value.number, skip.value, skip.size));
  }

  const GrfFacts& facts_;
  const GrfEntryContext& context_;
  std::array<Value, 0x80> parameters_{};
  std::vector<Pending> pending_;
  std::uint32_t nearestEnd_ = UINT32_MAX;  // the first sprite past one of them
};

std::string Hex(unsigned value) {
  char text[12];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

std::string GrfTestText(std::uint8_t code, std::uint32_t id) {
  const std::string grf = "GRF ID " + GrfIdText(id);
  switch (code) {
    case 0x06: return "only if " + grf + " is not active before it";
    case 0x07: return "only if " + grf + " is active before it";
    case 0x08: return "only if " + grf + " is not loaded after it";
    case 0x09: return "only if " + grf + " is not in the list";
    case 0x0A: return "only if " + grf + " is in the list";
    default: return "depending on the other files of the list";
  }
}

}  // namespace

std::string DoubtText(const GrfDoubt& doubt) {
  static constexpr const char* kClimates[] = {"temperate", "arctic", "tropic", "toyland"};
  if (doubt.code == 0x0B || doubt.code == 0x0C) return "depending on the cargos the game defines";
  if (doubt.code > 0x0C && doubt.code != 0xFF) return "depending on a test the patch does not know";
  const bool equalSkips = doubt.code == 0x02, unequalSkips = doubt.code == 0x03;
  switch (doubt.variable) {
    case 0x83:
      if (doubt.value < 4 && (equalSkips || unequalSkips)) {
        return std::string(unequalSkips ? "only in the " : "except in the ") + kClimates[doubt.value] + " climate";
      }
      return "depending on the climate";
    case 0x84: return "depending on the stage of loading";
    case 0x85: case 0x86: return "depending on the patch's switches";
    case 0x8B: return "depending on the patch's version";
    case kEditionVariable:
      if (doubt.value < 2 && (equalSkips || unequalSkips)) {
        return (doubt.value == 1) == unequalSkips ? "only in the Windows edition" : "only in the DOS edition";
      }
      return "depending on the game's edition";
    case kGrfVariable: return GrfTestText(doubt.code, doubt.value);
    case GrfDoubt::kOtherFiles: return "depending on values the patch gives out while it loads";
    case GrfDoubt::kPatched: return "depending on what the file's parameters write into its sprites";
    default: return "depending on the game's variable " + Hex(doubt.variable);
  }
}

void DecideFacts(const GrfFacts& facts, const GrfEntryContext& context, std::vector<DecidedFact>& out) {
  out.clear();
  Interpreter(facts, context).Run(out);
}

std::vector<std::uint32_t> EntryParameterValues(const std::string& parameters) {
  std::vector<std::uint32_t> values;
  const char* at = parameters.c_str();
  for (;;) {
    while (*at == ' ') ++at;
    if (*at == '\0') return values;
    char* end = nullptr;
    const long long value = std::strtoll(at, &end, 10);
    values.push_back(static_cast<std::uint32_t>(value));
    at = end == at ? at + 1 : end;
    while (*at != ' ' && *at != '\0') ++at;
  }
}

}  // namespace kestrav
