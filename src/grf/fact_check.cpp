#include "grf/fact_check.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdio>
#include <map>
#include <memory>
#include <unordered_map>

#include "grf/fact_conditions.h"

namespace kestrav {
namespace {

// The features whose IDs are shared by all files, with the number of IDs the patch accepts.
struct SharedFeature {
  std::uint8_t feature;
  unsigned ids;
};
constexpr std::array<SharedFeature, 6> kShared = {{
    {0x00, 0x74}, {0x01, 0x58}, {0x02, 0x0B}, {0x03, 0x29}, {0x06, 0x100}, {0x0B, 0x20}}};
constexpr unsigned kMaxIds = 0x100;
constexpr std::size_t kMaybeChangersNamed = 8;
using IdSet = std::bitset<kMaxIds>;

int SharedIndex(std::uint8_t feature) {
  for (std::size_t i = 0; i < kShared.size(); ++i) {
    if (kShared[i].feature == feature) return static_cast<int>(i);
  }
  return -1;
}

std::string Hex2(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

// "trains 40-43, 50 and ships 01".
std::string IdsText(const std::array<IdSet, kShared.size()>& sets) {
  std::string text;
  for (std::size_t f = 0; f < kShared.size(); ++f) {
    if (sets[f].none()) continue;
    if (!text.empty()) text += " and ";
    text += FeatureName(kShared[f].feature) + " ";
    bool firstRange = true;
    for (unsigned id = 0; id < kMaxIds; ++id) {
      if (!sets[f][id]) continue;
      unsigned last = id;
      while (last + 1 < kMaxIds && sets[f][last + 1]) ++last;
      if (!firstRange) text += ", ";
      text += Hex2(id);
      if (last > id) {
        text += '-';
        text += Hex2(last);
      }
      firstRange = false;
      id = last;
    }
  }
  return text;
}

// An entry that changes an ID: the last that does so for certain, and those after it that may.
struct Changer {
  int entry;
  bool certain;
  GrfDoubt doubt;
};

// What one entry changes of the shared features, certainly or maybe.
struct Changes {
  std::array<IdSet, kShared.size()> certain, maybe;
  std::array<GrfDoubt, kShared.size()> doubt{};
};

// What a later entry changes that an earlier one does too.
struct Overlap {
  std::array<IdSet, kShared.size()> certain, maybe;
  GrfDoubt doubt;
  bool doubted = false;
  bool mine = false;  // the doubt is the later file's
};

class FactCheck {
 public:
  FactCheck(const std::vector<GrfItem>& items, const std::vector<GrfInfo>& infos, std::optional<TtdEdition> edition,
            std::vector<ListFinding>& findings)
      : items_(items), infos_(infos), findings_(findings) {
    context_.edition = edition;
    ids_.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      const GrfInfo* info = InfoOf(i);
      if (!info) continue;
      if (const GrfAction8* record = LastAction8(*info)) {
        ids_[i] = GrfIdOf(record->grfId);
        if (ids_[i]) positions_[*ids_[i]].push_back(static_cast<int>(i));
      }
    }
  }

  void Run() {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      const GrfInfo* info = InfoOf(i);
      if (info) CheckEntry(static_cast<int>(i), *info);
    }
  }

 private:
  // The analysis of an item the patch loads: Active or Inactive, with an Action 8 record and
  // in the container it reads. It refuses any other file, which then changes nothing.
  const GrfInfo* InfoOf(std::size_t i) const {
    if (items_[i].state == GrfState::Off || i >= infos_.size()) return nullptr;
    const GrfInfo& info = infos_[i];
    return info.opened && !info.secondContainer && LastAction8(info) ? &info : nullptr;
  }

  GrfIdPlaces Places(GrfId id, GrfId mask, int entry) const {
    GrfIdPlaces places;
    const auto note = [&](int at) {
      if (at < entry) places.before = true;
      if (at > entry) places.after = true;
    };
    if (mask == UINT32_MAX) {
      if (const auto found = positions_.find(id); found != positions_.end()) {
        for (const int at : found->second) note(at);
      }
      return places;
    }
    for (const auto& [other, at] : positions_) {
      if ((other & mask) == (id & mask)) {
        for (const int one : at) note(one);
      }
    }
    return places;
  }

  // The entries other than entry whose file has the ID.
  std::vector<int> EntriesWith(GrfId id, int entry) const {
    std::vector<int> found;
    if (const auto at = positions_.find(id); at != positions_.end()) {
      for (const int other : at->second) {
        if (other != entry) found.push_back(other);
      }
    }
    return found;
  }

  std::string PathOf(int entry) const { return EntryPath(items_[static_cast<std::size_t>(entry)].text); }

  void Add(int entry, const char* code, std::string text, bool capped) {
    if (capped) text += " (not all of the file was read: it holds more than Kestrav keeps of one file)";
    findings_.push_back({entry, PathOf(entry), code, std::move(text)});
  }

  void CheckAction8(int entry, const GrfInfo& info) {
    const GrfAction8* record = LastAction8(info);
    if (!record) return;
    if (record->grfId == "00000000") Add(entry, "action8-rule", "its GRF ID is 00000000, which the patch refuses", false);
    if (info.facts.action8Records > 1) {
      Add(entry, "action8-rule",
          "the file has " + std::to_string(info.facts.action8Records) +
              " Action 8 records, where the patch expects one",
          false);
    }
    if (const auto action = info.facts.actionBeforeAction8) {
      Add(entry, "action8-rule",
          "an Action " + Hex2(*action) + " stands before its Action 8 record, which the patch does not allow there",
          info.facts.capped);
    }
  }

  void CheckParameters(int entry, const GrfFacts& facts) {
    const auto& given = context_.parameters;
    if (facts.declaredParameters && given.size() > *facts.declaredParameters) {
      Add(entry, "param-range",
          "the entry gives " + std::to_string(given.size()) + " parameters, but the file declares only " +
              std::to_string(*facts.declaredParameters),
          false);
    }
    for (const GrfParameterInfo& parameter : facts.parameters) {
      if (parameter.number >= given.size() || !parameter.minimum || !parameter.maximum) continue;
      const std::uint32_t bits = parameter.bits >= 32 ? UINT32_MAX : (1u << parameter.bits) - 1;
      const std::uint32_t value = given[parameter.number] >> parameter.firstBit & bits;
      if (value >= *parameter.minimum && value <= *parameter.maximum) continue;
      const std::string name = parameter.name.empty() ? "" : " (\"" + parameter.name + "\")";
      Add(entry, "param-range",
          "parameter " + std::to_string(parameter.number + 1) + name + " is " + std::to_string(value) +
              ", outside the limits " + std::to_string(*parameter.minimum) + "-" +
              std::to_string(*parameter.maximum) + " the file declares",
          false);
    }
  }

  static std::string Guarded(const DecidedFact& decided) {
    return decided.certain ? "" : ", " + DoubtText(decided.doubt);
  }

  std::string NamedId(int other, GrfId id) const { return PathOf(other) + " (GRF ID " + GrfIdText(id) + ")"; }

  void CheckEntry(int entry, const GrfInfo& info) {
    const GrfFacts& facts = info.facts;
    const bool capped = facts.capped;
    context_.parameters = EntryParameterValues(EntryFromText(items_[entry].text, items_[entry].state).parameters);
    context_.places = [&](GrfId id, GrfId mask) { return Places(id, mask, entry); };
    DecideFacts(facts, context_, decided_);
    CheckAction8(entry, info);
    CheckParameters(entry, facts);

    Changes mine;
    for (const DecidedFact& decided : decided_) {
      const GrfFact& fact = facts.facts[decided.fact];
      switch (fact.kind) {
        case GrfFactKind::Deactivates:
          for (const int other : EntriesWith(fact.grfId, entry)) {
            if (other > entry) continue;
            Add(entry, "deactivates",
                "deactivates " + NamedId(other, fact.grfId) + ", which stands earlier in the list" + Guarded(decided),
                capped);
          }
          break;
        case GrfFactKind::LoadBefore:
        case GrfFactKind::LoadAfter: {
          const bool before = fact.kind == GrfFactKind::LoadBefore;
          if (fact.grfId == 0) break;  // no test names the other file
          for (const int other : EntriesWith(fact.grfId, entry)) {
            if (before ? other > entry : other < entry) continue;
            Add(entry, "load-order",
                std::string("says it must be loaded ") + (before ? "before " : "after ") + NamedId(other, fact.grfId) +
                    ", which stands " + (before ? "earlier" : "later") + " in the list: move " + PathOf(entry) +
                    (before ? " above " : " below ") + PathOf(other) + Guarded(decided),
                capped);
          }
          break;
        }
        case GrfFactKind::Properties:
        case GrfFactKind::Graphics: {
          const int shared = SharedIndex(fact.feature);
          if (shared < 0) break;
          const std::uint64_t end = std::min<std::uint64_t>(std::uint64_t{fact.first} + fact.count, kShared[shared].ids);
          for (std::uint64_t id = fact.first; id < end; ++id) {
            if (decided.certain) {
              mine.certain[shared].set(id);
            } else if (!mine.certain[shared][id]) {
              if (mine.maybe[shared].none()) mine.doubt[shared] = decided.doubt;
              mine.maybe[shared].set(id);
            }
          }
          break;
        }
        default: break;
      }
    }
    for (std::size_t f = 0; f < kShared.size(); ++f) mine.maybe[f] &= ~mine.certain[f];
    CheckOverrides(entry, facts, mine);
  }

  void CheckOverrides(int entry, const GrfFacts& facts, const Changes& mine) {
    std::map<int, Overlap> overlaps;
    for (std::size_t f = 0; f < kShared.size(); ++f) {
      for (const bool certain : {true, false}) {
        const IdSet& set = certain ? mine.certain[f] : mine.maybe[f];
        if (set.none()) continue;
        for (unsigned id = 0; id < kShared[f].ids; ++id) {
          if (!set[id]) continue;
          for (const Changer& earlier : slots_[f][id]) {
            Overlap& overlap = overlaps[earlier.entry];
            if (certain && earlier.certain) {
              overlap.certain[f].set(id);
              continue;
            }
            if (!overlap.doubted) {
              overlap.doubted = true;
              overlap.mine = !certain;
              overlap.doubt = certain ? earlier.doubt : mine.doubt[f];
            }
            overlap.maybe[f].set(id);
          }
          // A certain change hides the earlier ones: a file after it overrides this one.
          std::vector<Changer>& slot = slots_[f][id];
          if (certain) slot.clear();
          slot.push_back({entry, certain, certain ? GrfDoubt{} : mine.doubt[f]});
          // Of the files that only may change an ID, the latest few are named: a long list of
          // sets that all change it in one climate costs the same for every entry.
          const std::size_t firstMaybe = slot.front().certain ? 1 : 0;
          if (slot.size() - firstMaybe > kMaybeChangersNamed) slot.erase(slot.begin() + firstMaybe);
        }
      }
    }
    for (const auto& [earlier, overlap] : overlaps) {
      // A file that tests the other's GRF ID adjusts that file on purpose.
      const auto& id = ids_[static_cast<std::size_t>(earlier)];
      if (id && std::find(facts.testedIds.begin(), facts.testedIds.end(), *id) != facts.testedIds.end()) continue;
      const bool capped = facts.capped || infos_[static_cast<std::size_t>(earlier)].facts.capped;
      const std::string other = PathOf(earlier);
      if (std::any_of(overlap.certain.begin(), overlap.certain.end(), [](const IdSet& s) { return s.any(); })) {
        Add(entry, "overrides",
            "changes " + IdsText(overlap.certain) + " that " + other + " also changes: the patch uses this file's",
            capped);
      }
      if (std::any_of(overlap.maybe.begin(), overlap.maybe.end(), [](const IdSet& s) { return s.any(); })) {
        Add(entry, "may-override",
            "may change " + IdsText(overlap.maybe) + " that " + other + " also changes (" +
                (overlap.mine ? std::string("this file's change applies ") : other + "'s change applies ") +
                DoubtText(overlap.doubt) + "): where both apply, the patch uses this file's",
            capped);
      }
    }
  }

  const std::vector<GrfItem>& items_;
  const std::vector<GrfInfo>& infos_;
  std::vector<ListFinding>& findings_;
  std::vector<std::optional<GrfId>> ids_;
  std::unordered_map<GrfId, std::vector<int>> positions_;
  GrfEntryContext context_;
  std::vector<DecidedFact> decided_;
  std::array<std::array<std::vector<Changer>, kMaxIds>, kShared.size()> slots_;
};

}  // namespace

std::string FeatureName(std::uint8_t feature) {
  static constexpr const char* kNames[] = {"trains",   "road vehicles", "ships",          "aircraft",
                                           "stations", "canals",        "bridges",        "houses",
                                           "global settings", "industry tiles", "industries", "cargo slots",
                                           "sounds",   "airports",      "signals",        "objects"};
  if (feature < std::size(kNames)) return kNames[feature];
  return "feature " + Hex2(feature);
}

void CheckGrfFacts(const std::vector<GrfItem>& items, const std::vector<GrfInfo>& infos,
                   std::optional<TtdEdition> edition, std::vector<ListFinding>& findings) {
  auto check = std::make_unique<FactCheck>(items, infos, edition, findings);
  check->Run();
}

}  // namespace kestrav
