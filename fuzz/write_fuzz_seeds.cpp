// Writes the seed corpora of the fuzz targets into DIR/<target>/: GRF files of every kind of
// record, one larger than the reader's buffer, and configuration texts with every kind of line.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "sample_grf.h"

namespace {

using kestrav::test::GrfBuilder;
using namespace std::string_literals;
namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& bytes) {
  if (!std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    throw std::runtime_error("cannot write " + file.string());
  }
}

// Stored sprites up to 600 KB, pseudo sprites among them: the walk refills its buffer and
// jumps, and the Action 8 record comes last.
GrfBuilder BeyondTheBuffer() {
  GrfBuilder grf;
  for (int i = 0; i < 10; ++i) grf.Stored(60000 - 97 * i).Pseudo(std::string(1 + i * 300, '\x01'));
  return grf.Action8(1, "ABCD", "after", "the buffer").Terminator();
}

std::vector<std::pair<const char*, GrfBuilder>> GrfSeeds() {
  GrfBuilder everyKind;
  everyKind.Action8(7, "\x12\xAB\x00\xFF"s, "Info", "Description").Pseudo("\x01\x02\x03").Stored(9);
  // A compressed sprite of a literal run of 128 and a back-reference of 16, a real one, and
  // one whose count wraps and never comes back to 0.
  everyKind.Record(1, 0x02, "").Record(8 + 144, 0x00, std::string(7, 'h') + '\0' + std::string(128, 'l') + "\x80\x01");
  kestrav::sample::AddCompressedPixels(everyKind, kestrav::sample::SamplePixels(16, 12, 5), 16);
  everyKind.Record(3, 0x00, std::string(7, 'h') + "\x04" "abcd" "\xF8\x01");
  return {
      {"every-kind", everyKind.Terminator()},
      {"short-action8", GrfBuilder().Pseudo("\x08\x80\x01"s).Pseudo("\x08\x01\x01\x02\x03\x04no end"s)},
      {"sample", kestrav::sample::SampleGrf({.seed = 9, .normalSprites = 8, .pseudoSprites = 3, .storedPercent = 40,
                                             .minSide = 8, .maxSide = 162})},
      {"beyond-the-buffer", BeyondTheBuffer()},
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
    for (const auto& [name, builder] : GrfSeeds()) {
      // The fuzz input's first byte chooses how the file is handed out: whole or in pieces.
      Write(grf / (name + ".whole"s), "\x07" + builder.bytes());
      Write(grf / (name + ".pieces"s), "\x05" + builder.bytes());
    }
    int seed = 0;
    for (const char* text : kConfigSeeds) Write(config / ("config-" + std::to_string(seed++)), text);
  } catch (const std::exception& error) {
    std::cerr << "write_fuzz_seeds: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
