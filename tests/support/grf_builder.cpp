#include "support/grf_builder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace kestrav::test {
namespace {

constexpr std::size_t kMaxSize = 0xFFFF;
constexpr std::size_t kMaxDistance = 2047, kMinMatch = 3, kMaxMatch = 16, kMaxLiteral = 128;

void Require(bool condition, const char* what) {
  if (!condition) throw std::invalid_argument(what);
}

// std::minstd_rand is specified exactly: the same files on every system and compiler.
int Between(std::minstd_rand& random, int low, int high) {  // inclusive
  return low >= high ? low : low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
}

// Little-endian, byte by byte.
void Put(std::string& out, unsigned value, int bytes = 1) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Bytes that look like anything: a walk must never take them for structure.
std::string Filler(std::size_t count) {
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 37 + count * 11 + 0xF3) & 0xFF);
  return bytes;
}

// Height, then width, x offset and y offset of two bytes each.
std::string SpriteHeader(int width, int height) {
  std::string header(1, static_cast<char>(height));
  for (int value : {width, -width / 2, -height / 2}) Put(header, static_cast<unsigned>(value), 2);
  return header;
}

// The code byte (and for a back-reference the byte after it), then a literal run's data.
// A back-reference's code byte holds -length in its high five bits and the top of the
// distance in its low three.
std::string EncodeChunk(const GrfChunk& chunk, const std::string& data = {}) {
  const auto length = static_cast<unsigned>(chunk.length), distance = static_cast<unsigned>(chunk.distance);
  std::string out;
  if (chunk.literal) {
    Require(length >= 1 && length <= kMaxLiteral, "literal run out of range");
    Put(out, length == kMaxLiteral ? 0u : length);
    return out + (data.empty() ? Filler(length) : data);
  }
  Require(length >= 1 && length <= kMaxMatch && distance >= 1 && distance <= kMaxDistance,
          "back-reference out of range");
  Put(out, (256u - 8u * length) | (distance >> 8));
  Put(out, distance);
  return out;
}

// Literal runs and back-references found by greedy matching within the last 2047 bytes.
std::string CompressPixels(const std::string& pixels) {
  std::string out, literals;
  const auto flush = [&] {
    for (std::size_t at = 0; at < literals.size(); at += kMaxLiteral) {
      const std::size_t length = std::min(kMaxLiteral, literals.size() - at);
      out += EncodeChunk(GrfChunk::Literal(static_cast<int>(length)), literals.substr(at, length));
    }
    literals.clear();
  };
  std::vector<std::size_t> last(4096, SIZE_MAX);  // where each hash of three bytes was seen last
  const std::size_t size = pixels.size();
  for (std::size_t at = 0; at < size;) {
    std::size_t length = 0, from = 0;
    if (at + kMinMatch <= size) {
      const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(pixels[at + i]); };
      std::size_t& seen = last[((byte(0) << 8) ^ (byte(1) << 4) ^ byte(2)) & 0xFFF];
      if (seen != SIZE_MAX && at - seen <= kMaxDistance) {
        from = seen;
        while (length < kMaxMatch && at + length < size && pixels[from + length] == pixels[at + length]) ++length;
      }
      seen = at;
    }
    if (length < kMinMatch) {
      literals.push_back(pixels[at++]);
      continue;
    }
    flush();
    out += EncodeChunk(GrfChunk::BackReference(static_cast<int>(length), static_cast<int>(at - from)));
    at += length;
  }
  flush();
  return out;
}

}  // namespace

void GrfBuilder::Header(std::size_t size, std::uint8_t info) {
  Require(size != 0 && size <= kMaxSize, "record size does not fit 16 bits");
  Put(bytes_, static_cast<unsigned>(size), 2);
  Put(bytes_, info);
  ++(info == 0xFF ? pseudo_ : normal_);
}

GrfBuilder& GrfBuilder::Pseudo(const std::string& data) {
  Header(data.size(), 0xFF);
  return Raw(data);
}

GrfBuilder& GrfBuilder::Action8(std::uint8_t version, const std::string& id, const std::string& info,
                                const std::string& description) {
  Require(id.size() == 4, "a GRF ID has four bytes");
  return Pseudo(std::string("\x08", 1) + static_cast<char>(version) + id + info + '\0' + description + '\0');
}

GrfBuilder& GrfBuilder::Stored(std::size_t pixels, std::uint8_t info) {
  Require((info & 0x02) != 0 && info != 0xFF, "a stored sprite has bit 1 set");
  Header(1 + 7 + pixels, info);
  return Raw(SpriteHeader(static_cast<int>(std::min<std::size_t>(pixels, 0xFFFF)), 1) + Filler(pixels));
}

GrfBuilder& GrfBuilder::Compressed(const std::vector<GrfChunk>& chunks, int size) {
  std::size_t yield = 8;
  for (const auto& chunk : chunks) yield += static_cast<std::size_t>(chunk.length);
  Header(size < 0 ? yield : static_cast<std::size_t>(size), 0x01);
  bytes_ += SpriteHeader(8, 4);
  for (const auto& chunk : chunks) bytes_ += EncodeChunk(chunk);
  return *this;
}

GrfBuilder& GrfBuilder::CompressedPixels(const std::string& pixels, int width) {
  Require(width > 0, "a sprite has a width");
  Header(8 + pixels.size(), 0x01);
  return Raw(SpriteHeader(width, static_cast<int>(pixels.size()) / width) + CompressPixels(pixels));
}

GrfBuilder& GrfBuilder::Record(std::uint16_t size, std::uint8_t info, const std::string& afterInfo) {
  Header(size, info);
  return Raw(afterInfo);
}

GrfBuilder& GrfBuilder::Raw(const std::string& bytes) {
  bytes_ += bytes;
  return *this;
}

GrfBuilder& GrfBuilder::Terminator() {
  Put(bytes_, 0, 2);
  return *this;
}

GrfBuilder& GrfBuilder::DropLast(std::size_t count) {
  bytes_.resize(bytes_.size() - std::min(count, bytes_.size()));
  return *this;
}

std::string SamplePixels(int width, int height, std::uint32_t seed) {
  std::minstd_rand random(seed + 1);
  std::string pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), '\0');
  const int base = Between(random, 16, 200);
  const double cx = width / 2.0, cy = height / 2.0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double dx = (x - cx) / cx, dy = (y - cy) / cy;
      if (dx * dx + dy * dy > 1.0) continue;  // transparent around the shape
      int colour = base + (x * 6) / width;  // shading across the shape
      if (random() % 8 == 0) colour += Between(random, -3, 3);  // texture
      pixels[static_cast<std::size_t>(y * width + x)] = static_cast<char>(std::clamp(colour, 1, 255));
    }
  }
  return pixels;
}

GrfBuilder SampleGrf(const SampleGrfOptions& options) {
  std::minstd_rand random(options.seed + 1);
  GrfBuilder grf;
  std::string following;  // the number of records after this one, as graphics files begin
  Put(following, static_cast<unsigned>(1 + options.pseudoSprites + options.normalSprites), 4);
  grf.Pseudo(following);
  grf.Action8(7, options.grfId, options.info, options.description);
  int pseudoLeft = options.pseudoSprites, normalLeft = options.normalSprites;
  while (pseudoLeft + normalLeft > 0) {
    // Pseudo sprites spread evenly among the normal ones, as a set's actions are.
    if (Between(random, 1, pseudoLeft + normalLeft) <= pseudoLeft) {
      --pseudoLeft;
      // An action other than 8, then its data.
      static constexpr unsigned char kActions[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x06, 0x07, 0x09, 0x0A, 0x0D};
      std::string data(1, static_cast<char>(kActions[random() % sizeof kActions]));
      for (int b = Between(random, 4, 60); --b > 0;) Put(data, random());
      grf.Pseudo(data);
      continue;
    }
    --normalLeft;
    const int width = Between(random, options.minSide, options.maxSide);
    int height = Between(random, options.minSide, options.maxSide);
    const auto area = [&] { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); };
    while (area() > kMaxSize - 8) height /= 2;
    if (Between(random, 1, 100) <= options.storedPercent) {
      grf.Stored(area());
    } else {
      grf.CompressedPixels(SamplePixels(width, height, random()), width);
    }
  }
  return grf.Terminator();
}

void WriteSampleGrf(const std::string& path, const SampleGrfOptions& options) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
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
