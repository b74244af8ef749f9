// Writes the seed corpora of the fuzz targets into DIR/<target>/: GRF files of every kind of
// record made by the builder, and configuration texts with every kind of line.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "support/grf_builder.h"

namespace {

using kestrav::test::GrfBuilder;
using kestrav::test::GrfChunk;
using kestrav::test::SampleGrf;
using namespace std::string_literals;
namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::vector<std::pair<const char*, GrfBuilder>> GrfSeeds() {
  return {
      {"every-kind", GrfBuilder()
                         .Action8(7, "\x12\xAB\x00\xFF"s, "Info", "Description")
                         .Pseudo("\x01\x02\x03")
                         .Stored(9)
                         .Record(1, 0x02, "")
                         .Compressed({GrfChunk::Literal(128), GrfChunk::BackReference(16, 3), GrfChunk::Literal(5)})
                         .CompressedPixels(kestrav::test::SamplePixels(16, 12, 5), 16)
                         .Terminator()},
      {"wrapping-count", GrfBuilder().Compressed({GrfChunk::Literal(4), GrfChunk::BackReference(1)}, 3)},
      {"short-action8", GrfBuilder().Pseudo("\x08\x80\x01"s).Pseudo("\x08\x01\x01\x02\x03\x04no end"s)},
      {"sample-small", SampleGrf({.seed = 1, .normalSprites = 12, .pseudoSprites = 4, .minSide = 8, .maxSide = 10})},
      {"sample-large", SampleGrf({.seed = 9, .normalSprites = 5, .pseudoSprites = 3, .storedPercent = 60,
                                  .minSide = 130, .maxSide = 162})},
      // Handed out in pieces, a stored sprite this large is passed over by a jump.
      {"jumped", GrfBuilder().Stored(40000).Action8(1, "ABCD", "after", "the jump").Terminator()},
  };
}

const char* const kConfigSeeds[] = {
    "newgrf/a.grf\r\nnewgrf\\b.grf 1 2\r\n#DISABLED#newgrf/c.grf ! 3\r\nnewgrf/d.grf !\r\n",
    "# comment\n\n \n#disabled#newgrf/x.grf\n#DISABLED#\n#DISABLED# newgrf/y.grf\rnewgrf/z.grf 1 ! 2",
    "newgrf/my set.grf\tparam\r\n newgrf/blank.grf\r\nnewgrf/e.grf ! 0\r\nnewgrf/f.grf 0",
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_fuzz_seeds DIR\n";
    return 2;
  }
  try {
    const fs::path grf = fs::path(argv[1]) / "fuzz_grf_records", config = fs::path(argv[1]) / "fuzz_config_lines";
    fs::create_directories(grf);
    fs::create_directories(config);
    const fs::path walk = fs::path(argv[1]) / "fuzz_chunk_walk";
    fs::create_directories(walk);
    for (const auto& [name, builder] : GrfSeeds()) {
      // The fuzz input's first byte chooses how the file is handed out: whole or in pieces.
      Write(grf / (name + ".whole"s), "\x07" + builder.bytes());
      Write(grf / (name + ".pieces"s), "\x05" + builder.bytes());
      // For the walk: a start, a gap and two counts, then the same bytes.
      Write(walk / name, "\x51\x0A\x0E\x01\x2C\x01"s + builder.bytes());
    }
    int seed = 0;
    for (const char* text : kConfigSeeds) Write(config / ("config-" + std::to_string(seed++)), text);
  } catch (const std::exception& error) {
    std::cerr << "write_fuzz_seeds: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
