#pragma once
// Made-up graphics sets that look like real ones: shaded shapes compressed as the game's
// sprites are, for the sample TTD directory, the benchmarks and the fuzz seeds.
#include <cstdint>
#include <string>
#include <vector>

#include "support/grf_builder.h"

namespace kestrav::sample {

// The pixels of a made-up sprite: a shaded shape on a transparent (0) background, with
// some noise, so that it compresses as game graphics do.
std::string SamplePixels(int width, int height, std::uint32_t seed);

// Adds a compressed normal sprite of these pixels, width pixels to a row: literal runs and
// back-references found by greedy matching within the last 2047 bytes.
void AddCompressedPixels(test::GrfBuilder& grf, const std::string& pixels, int width);

struct SampleGrfOptions {
  std::uint32_t seed = 1;
  int normalSprites = 40;
  int pseudoSprites = 12;  // besides the Action 8 record
  int storedPercent = 10;  // share of the normal sprites stored uncompressed
  int minSide = 8, maxSide = 64;  // width and height of a normal sprite
  std::string grfId = std::string("KS\x01\x02", 4);
  std::string info = "Sample graphics set";
  std::string description = "Made-up sprites for trying Kestrav out";
  // Pseudo sprites right after the Action 8 record, each beginning with its action: what the
  // set changes in the game. The other pseudo sprites change nothing outside the file.
  std::vector<std::string> actions;
};

// A whole GRF file as a graphics set looks: the number of records that follow, the Action 8
// record (version 7), the options' actions, pseudo sprites (sprite groups and names) spread
// among compressed and stored normal sprites, and the terminator.
test::GrfBuilder SampleGrf(const SampleGrfOptions& options);
// Writes SampleGrf(options) to path ("\\" or "/" separators), creating its directories
// and replacing any file there; throws std::runtime_error when it cannot.
void WriteSampleGrf(const std::string& path, const SampleGrfOptions& options);

}  // namespace kestrav::sample
