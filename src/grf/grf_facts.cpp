#include "grf/grf_facts.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace kestrav {
namespace {

constexpr std::uint32_t Tag(const char (&text)[5]) {
  return static_cast<std::uint8_t>(text[0]) | static_cast<std::uint8_t>(text[1]) << 8 |
         static_cast<std::uint8_t>(text[2]) << 16 | std::uint32_t{static_cast<std::uint8_t>(text[3])} << 24;
}

// Reading inside one pseudo sprite: a read past its end gives 0 and marks the reading bad.
struct Bytes {
  const std::uint8_t* at;
  const std::uint8_t* end;
  bool ok = true;

  unsigned Byte() {
    if (at < end) return *at++;
    ok = false;
    return 0;
  }
  unsigned Word() {
    const unsigned low = Byte();
    return low | Byte() << 8;
  }
  std::uint32_t Dword() {
    const std::uint32_t low = Word();
    return low | std::uint32_t{Word()} << 16;
  }
  // One byte, or the word after a byte 0xFF.
  unsigned Extended() {
    const unsigned byte = Byte();
    return byte == 0xFF ? Word() : byte;
  }
  void Pass(std::size_t count) {
    if (count > static_cast<std::size_t>(end - at)) {
      at = end;
      ok = false;
    } else {
      at += count;
    }
  }
  // A text up to its 0x00, kept to at most limit bytes.
  std::string Text(std::size_t limit) {
    const std::uint8_t* zero = std::find(at, end, 0);
    std::string text(reinterpret_cast<const char*>(at), std::min<std::size_t>(zero - at, limit));
    if (zero == end) ok = false;
    at = zero == end ? end : zero + 1;
    return text;
  }
};

// The actions the patch allows before a file's Action 8 record.
bool AllowedBeforeAction8(unsigned action) {
  switch (action) {
    case 0x06: case 0x07: case 0x08: case 0x09: case 0x0B: case 0x0C: case 0x0D: case 0x0E: case 0x10: case 0x14:
      return true;
    default:
      return false;
  }
}

constexpr int kDeepestChunk = 8;

// Passes over the body of a chunk of the given type (its type and ID are read).
void PassChunk(unsigned type, Bytes& in, int depth);

// Every chunk of a container up to its closing 0x00, each handed to use(type, id) with the
// reading at its body; use returns false for a chunk it did not read, which is passed over.
void EachChunk(Bytes& in, int depth, const std::function<bool(unsigned, std::uint32_t)>& use) {
  if (depth > kDeepestChunk) {
    in.ok = false;
    return;
  }
  while (in.ok) {
    const unsigned type = in.Byte();
    if (type == 0 || !in.ok) return;
    const std::uint32_t id = in.Dword();
    if (!use(type, id)) PassChunk(type, in, depth);
  }
}

void PassChunk(unsigned type, Bytes& in, int depth) {
  switch (type) {
    case 'C': EachChunk(in, depth + 1, [](unsigned, std::uint32_t) { return false; }); break;
    case 'T': in.Byte(); in.Text(0); break;
    case 'B': in.Pass(in.Word()); break;
    default: in.ok = false;
  }
}

// The data of a binary chunk, as a reading of its own.
Bytes BinaryBody(Bytes& in) {
  const std::size_t length = in.Word();
  Bytes body{in.at, in.at + std::min<std::size_t>(length, in.end - in.at)};
  in.Pass(length);
  return body;
}

}  // namespace

std::string GrfIdText(GrfId id) {
  char text[9];
  std::snprintf(text, sizeof text, "%02X%02X%02X%02X", id & 0xFF, id >> 8 & 0xFF, id >> 16 & 0xFF, id >> 24);
  return text;
}

std::optional<GrfId> GrfIdOf(const std::string& text) {
  if (text.size() != 8) return std::nullopt;
  GrfId id = 0;
  for (int i = 0; i < 4; ++i) {
    unsigned byte = 0;
    for (int j = 0; j < 2; ++j) {
      const char c = text[2 * i + j];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return std::nullopt;
      byte = byte * 16 + static_cast<unsigned>(digit);
    }
    id |= GrfId{byte} << (8 * i);
  }
  return id;
}

bool GrfFactGatherer::Room() {
  if (facts_.facts.size() + facts_.skips.size() + facts_.assigns.size() + labels_.size() < GrfFacts::kMaxSteps) {
    return true;
  }
  facts_.capped = true;
  return false;
}

void GrfFactGatherer::AddFact(GrfFact fact) {
  fact.sprite = sprite_;
  fact.patched = patched_;
  // A skip that lands between the last fact and this one keeps them apart.
  bool landing = false;
  while (!targets_.empty() && targets_.front() <= sprite_) {
    std::pop_heap(targets_.begin(), targets_.end(), std::greater<>());
    targets_.pop_back();
    landing = true;
  }
  if (mergeable_ && !landing && !facts_.facts.empty()) {
    GrfFact& last = facts_.facts.back();
    const bool ranged = fact.kind == GrfFactKind::Properties || fact.kind == GrfFactKind::Graphics ||
                        fact.kind == GrfFactKind::LiveryOverride;
    if (ranged && last.kind == fact.kind && last.feature == fact.feature && last.patched == fact.patched &&
        fact.first <= last.first + last.count && last.first <= fact.first + fact.count) {
      const std::uint32_t end = std::max(last.first + last.count, fact.first + fact.count);
      last.first = std::min(last.first, fact.first);
      last.count = end - last.first;
      return;
    }
  }
  if (!Room()) return;
  facts_.facts.push_back(fact);
  mergeable_ = true;
}

void GrfFactGatherer::Action0(const std::uint8_t* data, std::size_t size) {
  Bytes in{data + 1, data + size};
  GrfFact fact;
  fact.feature = static_cast<std::uint8_t>(in.Byte());
  in.Byte();  // the number of properties
  fact.count = in.Byte();
  fact.first = in.Extended();
  if (in.ok && fact.count > 0) AddFact(fact);
}

void GrfFactGatherer::Action3(const std::uint8_t* data, std::size_t size) {
  Bytes in{data + 1, data + size};
  GrfFact fact;
  fact.feature = static_cast<std::uint8_t>(in.Byte());
  const unsigned ids = in.Byte();
  if (!in.ok) return;
  if ((ids & 0x7F) == 0) {
    fact.kind = GrfFactKind::GenericGraphics;
    AddFact(fact);
    return;
  }
  fact.kind = ids & 0x80 ? GrfFactKind::LiveryOverride : GrfFactKind::Graphics;
  fact.count = 1;
  for (unsigned i = 0; i < (ids & 0x7F); ++i) {
    fact.first = in.Extended();
    if (!in.ok) return;
    AddFact(fact);
  }
}

void GrfFactGatherer::Skip(const std::uint8_t* data, std::size_t size) {
  Bytes in{data + 1, data + size};
  GrfSkip skip;
  skip.sprite = sprite_;
  skip.patched = patched_;
  skip.variable = static_cast<std::uint8_t>(in.Byte());
  skip.size = static_cast<std::uint8_t>(in.Byte());
  skip.code = static_cast<std::uint8_t>(in.Byte());
  const unsigned valueSize = skip.code <= 0x01 ? 1u : skip.size;
  if (valueSize > 8) in.ok = false;
  std::uint64_t value = 0;
  for (unsigned i = 0; i < valueSize && in.ok; ++i) value |= std::uint64_t{in.Byte()} << (8 * i);
  skip.value = static_cast<std::uint32_t>(value);
  if (valueSize == 8) skip.mask = static_cast<std::uint32_t>(value >> 32);
  const unsigned number = in.Byte();
  // A skip that cannot be read is one the walk cannot decide.
  if (!in.ok) skip.code = 0xFF;
  if (!Room()) return;
  facts_.skips.push_back(skip);
  skipNumbers_.push_back(static_cast<std::uint8_t>(number));
  if (number != 0) {
    targets_.push_back(sprite_ + number + 1);
    std::push_heap(targets_.begin(), targets_.end(), std::greater<>());
  }
}

void GrfFactGatherer::Message(const std::uint8_t* data, std::size_t size) {
  Bytes in{data + 1, data + size};
  const unsigned severity = in.Byte() & 0x7F;
  in.Byte();  // the language
  GrfFact fact;
  fact.message = static_cast<std::uint8_t>(in.Byte());
  if (!in.ok) return;
  if (fact.message == 0xFF) in.Text(0);
  const std::string text = in.Text(GrfFacts::kMaxText);
  if (fact.message == 0x04) {
    fact.kind = GrfFactKind::LoadBefore;
  } else if (fact.message == 0x05) {
    fact.kind = GrfFactKind::LoadAfter;
  } else if (severity == 0x03) {
    fact.kind = GrfFactKind::FatalError;
  } else {
    return;
  }
  if (!Room()) return;
  fact.text = static_cast<std::uint32_t>(facts_.texts.size());
  facts_.texts.push_back(text);
  AddFact(fact);
}

void GrfFactGatherer::Deactivate(const std::uint8_t* data, std::size_t size) {
  Bytes in{data + 1, data + size};
  const unsigned count = in.Byte();
  GrfFact fact;
  fact.kind = GrfFactKind::Deactivates;
  for (unsigned i = 0; i < count; ++i) {
    fact.grfId = in.Dword();
    if (!in.ok) return;
    AddFact(fact);
  }
}

void GrfFactGatherer::Assign(const std::uint8_t* data, std::size_t size) {
  Bytes in{data + 1, data + size};
  GrfAssign assign;
  assign.sprite = sprite_;
  assign.patched = patched_;
  assign.target = static_cast<std::uint8_t>(in.Byte());
  assign.op = static_cast<std::uint8_t>(in.Byte());
  assign.src1 = static_cast<std::uint8_t>(in.Byte());
  assign.src2 = static_cast<std::uint8_t>(in.Byte());
  if (!in.ok) return;
  if (in.end - in.at >= 4) assign.data = in.Dword();
  if (Room()) facts_.assigns.push_back(assign);
}

void GrfFactGatherer::Action14(const std::uint8_t* data, std::size_t size) {
  Bytes in{data + 1, data + size};
  auto& parameters = facts_.parameters;
  const auto parameter = [&](std::uint32_t number, Bytes& body) {
    if (parameters.size() >= GrfFacts::kMaxParameters) {
      facts_.capped = true;
      return false;
    }
    GrfParameterInfo info;
    info.number = number;
    bool named = false;
    EachChunk(body, 3, [&](unsigned type, std::uint32_t id) {
      if (type == 'T' && id == Tag("NAME") && !named) {
        body.Byte();
        info.name = body.Text(GrfFacts::kMaxText);
        named = true;
        return true;
      }
      if (type != 'B') return false;
      Bytes value = BinaryBody(body);
      if (id == Tag("LIMI") && value.end - value.at >= 8) {
        info.minimum = value.Dword();
        info.maximum = value.Dword();
      } else if (id == Tag("DFLT") && value.end - value.at >= 4) {
        info.defaultValue = value.Dword();
      } else if (id == Tag("MASK") && value.end - value.at >= 3) {
        info.number = value.Byte();
        info.firstBit = static_cast<std::uint8_t>(value.Byte() & 31);
        info.bits = static_cast<std::uint8_t>(std::clamp(value.Byte(), 1u, 32u - info.firstBit));
      }
      return true;
    });
    parameters.push_back(std::move(info));
    return true;
  };
  EachChunk(in, 0, [&](unsigned type, std::uint32_t id) {
    if (type != 'C' || id != Tag("INFO")) return false;
    EachChunk(in, 1, [&](unsigned type, std::uint32_t id) {
      if (type == 'B' && id == Tag("NPAR")) {
        Bytes value = BinaryBody(in);
        if (value.end > value.at) facts_.declaredParameters = value.Byte();
        return true;
      }
      if (type != 'C' || id != Tag("PARA")) return false;
      EachChunk(in, 2, [&](unsigned type, std::uint32_t number) { return type == 'C' && parameter(number, in); });
      return true;
    });
    return true;
  });
}

// The number of sprites after an action that are its data (sprites, recolour tables, sounds,
// glyphs) rather than actions, however they begin.
std::uint64_t GrfFactGatherer::DataSprites(const std::uint8_t* data, std::size_t size) {
  Bytes in{data + 1, data + size};
  std::uint64_t count = 0;
  switch (data[0]) {
    case 0x01: {
      in.Byte();  // the feature
      std::uint64_t sets = in.Byte();
      if (sets == 0) {  // the extended form: first set, number of sets, sprites per set
        in.Extended();
        sets = in.Extended();
      }
      count = sets * in.Extended();
      break;
    }
    case 0x05:
      in.Byte();
      count = in.Extended();
      break;
    case 0x0A:
      for (unsigned sets = in.Byte(); sets > 0 && in.ok; --sets) {
        count += in.Byte();
        in.Word();
      }
      break;
    case 0x11: count = in.Word(); break;
    case 0x12:
      for (unsigned fonts = in.Byte(); fonts > 0 && in.ok; --fonts) {
        in.Byte();
        count += in.Byte();
        in.Word();
      }
      break;
    default: break;
  }
  return count;
}

void GrfFactGatherer::Decode(const std::uint8_t* data, std::size_t size) {
  patched_ = patchNext_;
  patchNext_ = false;
  if (dataSprites_ > 0) {
    --dataSprites_;
    ++sprite_;
    return;
  }
  // The first record of 4 bytes gives the number of sprites; it is no action.
  if (data && size > 0 && !(sprite_ == 0 && size == 4)) {
    dataSprites_ = DataSprites(data, size);
    const unsigned action = data[0];
    if (!seenAction8_ && action != 0x08 && !AllowedBeforeAction8(action) && !facts_.actionBeforeAction8) {
      facts_.actionBeforeAction8 = static_cast<std::uint8_t>(action);
    }
    switch (action) {
      case 0x00: Action0(data, size); break;
      case 0x03: Action3(data, size); break;
      case 0x06: patchNext_ = true; mergeable_ = false; break;
      case 0x07: case 0x09: Skip(data, size); mergeable_ = false; break;
      case 0x08:
        seenAction8_ = true;
        ++facts_.action8Records;
        break;
      case 0x0B: Message(data, size); break;
      case 0x0D: Assign(data, size); mergeable_ = false; break;
      case 0x0E: Deactivate(data, size); break;
      case 0x10:
        if (size >= 2 && Room()) labels_.push_back({sprite_, data[1]});
        mergeable_ = false;
        break;
      case 0x14: Action14(data, size); break;
      default: break;
    }
  }
  ++sprite_;
}

GrfFacts GrfFactGatherer::Finish() {
  // A skip whose number names a later label lands there; else number 0 runs to the end.
  for (std::size_t i = 0; i < facts_.skips.size(); ++i) {
    GrfSkip& skip = facts_.skips[i];
    const std::uint8_t number = skipNumbers_[i];
    const auto label = std::find_if(labels_.begin(), labels_.end(),
                                    [&](const Label& l) { return l.sprite > skip.sprite && l.id == number; });
    if (label != labels_.end()) {
      skip.target = label->sprite;
    } else if (number != 0) {
      skip.target = skip.sprite + number + 1;
    }
    if (skip.variable == 0x88 && skip.code >= 0x06 && skip.code <= 0x0A &&
        std::find(facts_.testedIds.begin(), facts_.testedIds.end(), skip.value) == facts_.testedIds.end()) {
      facts_.testedIds.push_back(skip.value);
    }
  }
  // A message names its other file by the GRF ID of the test that guards it.
  for (GrfFact& fact : facts_.facts) {
    if (fact.kind != GrfFactKind::LoadBefore && fact.kind != GrfFactKind::LoadAfter) continue;
    for (auto skip = facts_.skips.rbegin(); skip != facts_.skips.rend(); ++skip) {
      if (skip->sprite < fact.sprite && skip->target > fact.sprite && skip->variable == 0x88) {
        fact.grfId = skip->value;
        break;
      }
    }
  }
  std::sort(facts_.parameters.begin(), facts_.parameters.end(),
            [](const GrfParameterInfo& a, const GrfParameterInfo& b) { return a.number < b.number; });
  return std::move(facts_);
}

}  // namespace kestrav
