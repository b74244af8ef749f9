#include "sample_grf.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

namespace kestrav::sample {
namespace {

constexpr std::size_t kMaxSize = 0xFFFF;
constexpr std::size_t kMaxDistance = 2047, kMinMatch = 3, kMaxMatch = 16, kMaxLiteral = 128;

// std::minstd_rand is specified exactly: the same files on every system and compiler.
int Between(std::minstd_rand& random, int low, int high) {  // inclusive
  return low >= high ? low : low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
}

// Little-endian, byte by byte.
void Put(std::string& out, unsigned value, int bytes = 1) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A back-reference's code byte holds -length in its high five bits and the top of the
// distance in its low three; the byte after it the rest of the distance.
std::string CompressPixels(const std::string& pixels) {
  std::string out, literals;
  const auto flush = [&] {
    for (std::size_t at = 0; at < literals.size(); at += kMaxLiteral) {
      const std::size_t length = std::min(kMaxLiteral, literals.size() - at);
      Put(out, length == kMaxLiteral ? 0u : static_cast<unsigned>(length));
      out += literals.substr(at, length);
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
    const auto distance = static_cast<unsigned>(at - from);
    Put(out, (256u - 8u * static_cast<unsigned>(length)) | (distance >> 8));
    Put(out, distance);
    at += length;
  }
  flush();
  return out;
}

}  // namespace

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

void AddCompressedPixels(test::GrfBuilder& grf, const std::string& pixels, int width) {
  if (width <= 0 || pixels.size() > kMaxSize - 8) throw std::invalid_argument("no sprite of this size");
  const int height = static_cast<int>(pixels.size()) / width;
  // Height, then width, x offset and y offset of two bytes each.
  std::string data(1, static_cast<char>(height));
  for (int value : {width, -width / 2, -height / 2}) Put(data, static_cast<unsigned>(value), 2);
  grf.Record(static_cast<std::uint16_t>(8 + pixels.size()), 0x01, data + CompressPixels(pixels));
}

test::GrfBuilder SampleGrf(const SampleGrfOptions& options) {
  std::minstd_rand random(options.seed + 1);
  test::GrfBuilder grf;
  std::string following;  // the number of records after this one, as graphics files begin
  Put(following, static_cast<unsigned>(1 + options.actions.size() + options.pseudoSprites + options.normalSprites), 4);
  grf.Pseudo(following);
  grf.Action8(7, options.grfId, options.info, options.description);
  for (const std::string& action : options.actions) grf.Pseudo(action);
  int pseudoLeft = options.pseudoSprites, normalLeft = options.normalSprites;
  while (pseudoLeft + normalLeft > 0) {
    // Pseudo sprites spread evenly among the normal ones, as a set's actions are.
    if (Between(random, 1, pseudoLeft + normalLeft) <= pseudoLeft) {
      --pseudoLeft;
      // Sprite groups or names, then their data: actions that change nothing beyond the file,
      // so that a set changes in the game only what its options say.
      static constexpr unsigned char kActions[] = {0x02, 0x04};
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
      AddCompressedPixels(grf, SamplePixels(width, height, random()), width);
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

}  // namespace kestrav::sample
