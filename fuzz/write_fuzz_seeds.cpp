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
namespace fs = std::filesystem;

void Write(const fs::path& dir, const std::string& name, const std::string& bytes) {
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + (dir / name).string());
}

std::vector<std::pair<std::string, GrfBuilder>> GrfSeeds() {
  using namespace std::string_literals;
  std::vector<std::pair<std::string, GrfBuilder>> seeds;
  const auto add = [&](const char* name, GrfBuilder grf) { seeds.emplace_back(name, std::move(grf)); };
  add("terminator-first", GrfBuilder().Terminator().Stored(2));
  add("every-kind", GrfBuilder()
                        .Action8(7, "\x12\xAB\x00\xFF"s, "Info", "Description")
                        .Pseudo("\x01\x02\x03")
                        .Stored(9)
                        .Record(1, 0x02, "")
                        .Compressed({GrfChunk::Literal(128), GrfChunk::BackReference(16, 3), GrfChunk::Literal(5)})
                        .CompressedPixels(kestrav::test::SamplePixels(16, 12, 5), 16)
                        .Terminator());
  add("wrapping-count", GrfBuilder().CompressedWithSize(3, {GrfChunk::Literal(4), GrfChunk::BackReference(1)}));
  add("short-action8", GrfBuilder().Pseudo("\x08\x80\x01"s).Pseudo("\x08\x01\x01\x02\x03\x04no end"s));
  add("no-terminator", GrfBuilder().Action8(0xFF, "ABCD", "", "").Stored(3));
  add("cut-short", GrfBuilder().Stored(40).Pseudo("\x02xyz").DropLast(2));
  kestrav::test::SampleGrfOptions small;
  small.normalSprites = 12;
  small.pseudoSprites = 4;
  add("sample-small", kestrav::test::SampleGrf(small));
  // Stored sprites large enough to be jumped when the file is handed out in small pieces.
  kestrav::test::SampleGrfOptions large;
  large.seed = 9;
  large.normalSprites = 5;
  large.pseudoSprites = 3;
  large.storedPercent = 60;
  large.minSide = 130;
  large.maxSide = 160;
  add("sample-large", kestrav::test::SampleGrf(large));
  return seeds;
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
    const fs::path root(argv[1]);
    const fs::path grf = root / "fuzz_grf_records";
    const fs::path config = root / "fuzz_config_lines";
    fs::create_directories(grf);
    fs::create_directories(config);
    for (const auto& [name, builder] : GrfSeeds()) {
      // The fuzz input's first byte chooses how the file is handed out.
      Write(grf, name + ".whole", std::string(1, '\x07') + builder.bytes());
      Write(grf, name + ".pieces", std::string(1, '\x05') + builder.bytes());
    }
    int index = 0;
    for (const char* text : kConfigSeeds) Write(config, "config-" + std::to_string(index++), text);
  } catch (const std::exception& error) {
    std::cerr << "write_fuzz_seeds: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
