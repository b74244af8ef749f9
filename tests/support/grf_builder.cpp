#include "support/grf_builder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace kestrav::test {
namespace {

constexpr std::size_t kMaxSize = 0xFFFF;
constexpr int kMaxDistance = 2047;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 16;
constexpr int kMaxLiteral = 128;

// Small deterministic generator: the same files on every system and compiler.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<std::uint32_t>(state_ >> 11);
  }
  int Between(int low, int high) {  // inclusive
    return low >= high ? low : low + static_cast<int>(Next() % static_cast<std::uint32_t>(high - low + 1));
  }

 private:
  std::uint64_t state_;
};

void PutByte(std::string& out, unsigned value) { out.push_back(static_cast<char>(value & 0xFF)); }

void PutWord(std::string& out, unsigned value) {
  PutByte(out, value);
  PutByte(out, value >> 8);
}

// Bytes that look like anything: a walk must never take them for structure.
std::string Filler(std::size_t count, unsigned salt) {
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 37 + salt * 11 + 0xF3) & 0xFF);
  return bytes;
}

// Height, width, x offset, y offset.
std::string SpriteHeader(int width, int height) {
  std::string header;
  PutByte(header, static_cast<unsigned>(height));
  PutWord(header, static_cast<unsigned>(width));
  PutWord(header, static_cast<unsigned>(-width / 2));
  PutWord(header, static_cast<unsigned>(-height / 2));
  return header;
}

void CheckChunk(const GrfChunk& chunk) {
  const bool ok = chunk.literal ? chunk.length >= 1 && chunk.length <= kMaxLiteral
                                : chunk.length >= 1 && chunk.length <= kMaxMatch && chunk.distance >= 1 &&
                                      chunk.distance <= kMaxDistance;
  if (!ok) throw std::invalid_argument("chunk out of range");
}

void FlushLiterals(std::string& out, std::string& literals) {
  for (std::size_t at = 0; at < literals.size(); at += kMaxLiteral) {
    const std::size_t length = std::min<std::size_t>(kMaxLiteral, literals.size() - at);
    PutByte(out, length == kMaxLiteral ? 0u : static_cast<unsigned>(length));
    out.append(literals, at, length);
  }
  literals.clear();
}

unsigned HashOf(const std::string& pixels, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(pixels[i]); };
  return ((byte(at) << 8) ^ (byte(at + 1) << 4) ^ byte(at + 2)) & 0xFFF;
}

}  // namespace

std::string EncodeChunk(const GrfChunk& chunk) {
  CheckChunk(chunk);
  std::string out;
  if (chunk.literal) {
    PutByte(out, chunk.length == kMaxLiteral ? 0u : static_cast<unsigned>(chunk.length));
    out += Filler(static_cast<std::size_t>(chunk.length), static_cast<unsigned>(chunk.length));
  } else {
    // The code byte's high five bits give -length (so -(code >> 3) is the length), its low
    // three bits and the next byte the distance.
    PutByte(out, (256u - 8u * static_cast<unsigned>(chunk.length)) | (static_cast<unsigned>(chunk.distance) >> 8));
    PutByte(out, static_cast<unsigned>(chunk.distance));
  }
  return out;
}

std::string CompressPixels(const std::string& pixels) {
  std::string out, literals;
  std::vector<int> last(4096, -1);
  const std::size_t size = pixels.size();
  std::size_t at = 0;
  while (at < size) {
    int length = 0, distance = 0;
    if (at + kMinMatch <= size) {
      const unsigned hash = HashOf(pixels, at);
      const int candidate = last[hash];
      last[hash] = static_cast<int>(at);
      if (candidate >= 0 && static_cast<int>(at) - candidate <= kMaxDistance) {
        const auto from = static_cast<std::size_t>(candidate);
        while (length < kMaxMatch && at + static_cast<std::size_t>(length) < size &&
               pixels[from + static_cast<std::size_t>(length)] == pixels[at + static_cast<std::size_t>(length)]) {
          ++length;
        }
        distance = static_cast<int>(at - from);
      }
    }
    if (length < kMinMatch) {
      literals.push_back(pixels[at++]);
      continue;
    }
    FlushLiterals(out, literals);
    out += std::string(EncodeChunk(GrfChunk::BackReference(length, distance)));
    for (std::size_t end = at + static_cast<std::size_t>(length); ++at < end;) {
      if (at + kMinMatch <= size) last[HashOf(pixels, at)] = static_cast<int>(at);
    }
  }
  FlushLiterals(out, literals);
  return out;
}

std::string DecompressPixels(const std::string& stream) {
  std::string pixels;
  std::size_t at = 0;
  while (at < stream.size()) {
    const auto code = static_cast<std::int8_t>(stream[at++]);
    if (code >= 0) {
      const std::size_t length = code == 0 ? 128 : static_cast<std::size_t>(code);
      if (at + length > stream.size()) throw std::invalid_argument("literal run past the end");
      pixels.append(stream, at, length);
      at += length;
      continue;
    }
    if (at >= stream.size()) throw std::invalid_argument("back-reference without its distance");
    const int length = -(code >> 3);
    const std::size_t distance = (static_cast<std::size_t>(code & 7) << 8) | static_cast<unsigned char>(stream[at++]);
    if (distance == 0 || distance > pixels.size()) throw std::invalid_argument("back-reference before the start");
    for (int i = 0; i < length; ++i) pixels.push_back(pixels[pixels.size() - distance]);
  }
  return pixels;
}

void GrfBuilder::Header(std::size_t size, std::uint8_t info) {
  if (size == 0 || size > kMaxSize) throw std::invalid_argument("record size does not fit 16 bits");
  PutWord(bytes_, static_cast<unsigned>(size));
  PutByte(bytes_, info);
}

GrfBuilder& GrfBuilder::Pseudo(const std::string& data) {
  Header(data.size(), 0xFF);
  bytes_ += data;
  ++pseudo_;
  return *this;
}

GrfBuilder& GrfBuilder::Action8(std::uint8_t version, const std::string& id, const std::string& info,
                                const std::string& description) {
  if (id.size() != 4) throw std::invalid_argument("a GRF ID has four bytes");
  std::string data;
  PutByte(data, 0x08);
  PutByte(data, version);
  data += id;
  data += info;
  data.push_back('\0');
  data += description;
  data.push_back('\0');
  return Pseudo(data);
}

GrfBuilder& GrfBuilder::Stored(std::size_t pixels, std::uint8_t info) {
  if ((info & 0x02) == 0 || info == 0xFF) throw std::invalid_argument("a stored sprite has bit 1 set");
  Header(1 + 7 + pixels, info);
  bytes_ += SpriteHeader(static_cast<int>(std::min<std::size_t>(pixels, 0xFFFF)), 1);
  bytes_ += Filler(pixels, static_cast<unsigned>(pixels));
  ++normal_;
  return *this;
}

GrfBuilder& GrfBuilder::Compressed(const std::vector<GrfChunk>& chunks, std::uint8_t info) {
  std::size_t yield = 0;
  for (const auto& chunk : chunks) yield += static_cast<std::size_t>(chunk.length);
  if (8 + yield > kMaxSize) throw std::invalid_argument("the chunks yield more than a record holds");
  return CompressedWithSize(static_cast<std::uint16_t>(8 + yield), chunks, info);
}

GrfBuilder& GrfBuilder::CompressedWithSize(std::uint16_t size, const std::vector<GrfChunk>& chunks,
                                           std::uint8_t info) {
  if ((info & 0x02) != 0) throw std::invalid_argument("a compressed sprite has bit 1 clear");
  Header(size, info);
  bytes_ += SpriteHeader(8, 4);
  for (const auto& chunk : chunks) bytes_ += EncodeChunk(chunk);
  ++normal_;
  return *this;
}

GrfBuilder& GrfBuilder::CompressedPixels(const std::string& pixels, int width, std::uint8_t info) {
  if ((info & 0x02) != 0) throw std::invalid_argument("a compressed sprite has bit 1 clear");
  if (width <= 0) throw std::invalid_argument("a sprite has a width");
  Header(8 + pixels.size(), info);
  bytes_ += SpriteHeader(width, static_cast<int>(pixels.size()) / width);
  bytes_ += CompressPixels(pixels);
  ++normal_;
  return *this;
}

GrfBuilder& GrfBuilder::Record(std::uint16_t size, std::uint8_t info, const std::string& afterInfo) {
  Header(size, info);
  bytes_ += afterInfo;
  if (info == 0xFF) {
    ++pseudo_;
  } else {
    ++normal_;
  }
  return *this;
}

GrfBuilder& GrfBuilder::Raw(const std::string& bytes) {
  bytes_ += bytes;
  return *this;
}

GrfBuilder& GrfBuilder::Terminator() {
  PutWord(bytes_, 0);
  return *this;
}

GrfBuilder& GrfBuilder::DropLast(std::size_t count) {
  bytes_.resize(bytes_.size() - std::min(count, bytes_.size()));
  return *this;
}

std::string SamplePixels(int width, int height, std::uint32_t seed) {
  Random random(seed);
  std::string pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), '\0');
  const int base = random.Between(16, 200);
  const double cx = width / 2.0, cy = height / 2.0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double dx = (x - cx) / cx, dy = (y - cy) / cy;
      if (dx * dx + dy * dy > 1.0) continue;  // transparent around the shape
      int colour = base + (x * 6) / std::max(width, 1);  // shading across the shape
      if (random.Next() % 8 == 0) colour += random.Between(-3, 3);  // texture
      pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
          static_cast<char>(std::clamp(colour, 1, 255));
    }
  }
  return pixels;
}

GrfBuilder SampleGrf(const SampleGrfOptions& options) {
  Random random(options.seed);
  GrfBuilder grf;
  if (options.action8) grf.Action8(options.version, options.grfId, options.info, options.description);
  const int records = options.normalSprites + options.pseudoSprites;
  int pseudoLeft = options.pseudoSprites, normalLeft = options.normalSprites;
  for (int i = 0; i < records; ++i) {
    // Pseudo sprites spread evenly among the normal ones, as a set's actions are.
    const bool pseudo = pseudoLeft > 0 && (normalLeft == 0 || random.Between(1, pseudoLeft + normalLeft) <= pseudoLeft);
    if (pseudo) {
      --pseudoLeft;
      std::string data;
      // An action other than 8, then its data.
      static constexpr unsigned char kActions[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x06, 0x07, 0x09, 0x0A, 0x0D};
      PutByte(data, kActions[random.Next() % sizeof kActions]);
      const int length = random.Between(std::max(options.minPseudoBytes, 1), options.maxPseudoBytes) - 1;
      for (int b = 0; b < length; ++b) PutByte(data, random.Next());
      grf.Pseudo(data);
      continue;
    }
    --normalLeft;
    int width = random.Between(options.minSide, options.maxSide);
    int height = random.Between(options.minSide, options.maxSide);
    while (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > kMaxSize - 8) height /= 2;
    if (random.Between(1, 100) <= options.storedPercent) {
      grf.Stored(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    } else {
      grf.CompressedPixels(SamplePixels(width, height, random.Next()), width);
    }
  }
  grf.Terminator();
  return grf;
}

void WriteSampleGrf(const std::string& path, const SampleGrfOptions& options) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\' || c == '/') c = static_cast<char>(std::filesystem::path::preferred_separator);
  }
  const std::string bytes = SampleGrf(options).bytes();
  const std::filesystem::path file(native);
  std::error_code ignored;  // a failure shows when the file cannot be written
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace kestrav::test
