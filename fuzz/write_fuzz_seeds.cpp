// Writes the seed corpora of the fuzz targets into DIR/<target>/: GRF files of every kind of
// record, one larger than the reader's buffer (for the reader and the chunk walk), and
// configuration texts with every kind of line.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "sample/sample_grf.h"

int main(int argc, char** argv) {
  using kestrav::test::GrfBuilder;
  using namespace std::string_literals;
  namespace fs = std::filesystem;
  if (argc != 2) {
    std::cerr << "usage: write_fuzz_seeds DIR\n";
    return 2;
  }
  const fs::path grf = fs::path(argv[1]) / "fuzz_grf_records", config = fs::path(argv[1]) / "fuzz_config_lines";
  const fs::path walk = fs::path(argv[1]) / "fuzz_chunk_walk";
  for (const auto& dir : {grf, config, walk}) fs::create_directories(dir);
  bool ok = true;
  const auto write = [&](const fs::path& file, const std::string& bytes) {
    ok = std::ofstream(file, std::ios::binary).write(bytes.data(), std::ssize(bytes)) && ok;
  };
  GrfBuilder everyKind, beyondTheBuffer;
  everyKind.Action8(7, "\x12\xAB\x00\xFF"s, "Info", "Description").Pseudo("\x01\x02\x03").Stored(9).Record(1, 0x02, "");
  // A compressed sprite of a literal run of 128 and a back-reference of 16, a real one, and
  // one whose count wraps and never comes back to 0.
  everyKind.Record(8 + 144, 0x00, std::string(7, 'h') + '\0' + std::string(128, 'l') + "\x80\x01");
  kestrav::sample::AddCompressedPixels(everyKind, kestrav::sample::SamplePixels(16, 12, 5), 16);
  everyKind.Pseudo("\x08\x80\x01"s).Record(3, 0x00, std::string(7, 'h') + "\x04" "abcd" "\xF8\x01");
  // 600 KB: the walk refills its buffer and jumps before it finds the Action 8 record.
  for (int i = 0; i < 10; ++i) beyondTheBuffer.Stored(60000 - 97 * i).Pseudo(std::string(1 + i * 300, '\x01'));
  beyondTheBuffer.Action8(1, "ABCD", "after", "the buffer").Terminator();
  // The actions whose facts the walk gathers, with skips to a label and to the end.
  GrfBuilder actions;
  actions.Pseudo("\x04\0\0\0"s).Action8(7, "ACTS", "", "");
  for (const std::string& sprite : {"\x14" "CINFO" "BNPAR\x01\0\x01" "CPARA" "C\0\0\0\0" "TNAME\x7FMode\0\0\0\0"s,
                             "\x0D\x7F\x07\x83\xFF\xFF\0\0\0"s, "\x07\x7F\x04\x03\x01\0\0\0\x02"s,
                             "\x00\x00\x01\x02\xFF\x14\0\x09\x01\0\x02\0"s, "\x07\x88\x04\x07" "ABCD\x07"s,
                             "\x0B\x03\x7F\x04x\0"s, "\x10\x07"s, "\x03\x00\x81\x05\0\0"s, "\x0E\x01" "ABCD"s,
                             "\x06\x00\x01\x02\xFF"s, "\x09\x8D\x01\x02\x01\0"s, "\x05\x08\x01"s, "\x00\x00\x01"s}) {
    actions.Pseudo(sprite);
  }
  actions.Terminator();
  for (const auto& [name, builder] : {std::pair{"every-kind", everyKind}, {"beyond-the-buffer", beyondTheBuffer},
                                      {"actions", actions}}) {
    // The fuzz input's first byte chooses how the file is handed out: whole or in pieces.
    write(grf / (name + ".whole"s), "\x07" + builder.bytes());
    write(grf / (name + ".pieces"s), "\x05" + builder.bytes());
    // For the walk: a start, a gap and two counts, then the same bytes.
    write(walk / name, "\x51\x0A\x0E\x01\x2C\x01"s + builder.bytes());
  }
  write(config / "config-0", "newgrf/a.grf\r\nnewgrf\\b.grf 1 2\r\n#DISABLED#newgrf/c.grf ! 3\r\nnewgrf/d.grf !\r\n");
  write(config / "config-1", "# x\n\n \n#disabled#newgrf/x.grf\n#DISABLED#\n#DISABLED# y.grf\rnewgrf/z.grf 1 ! 2");
  write(config / "config-2", "newgrf/my set.grf\tparam\r\n newgrf/blank.grf\r\nnewgrf/e.grf ! 0\r\nnewgrf/f.grf 0");
  if (!ok) std::cerr << "write_fuzz_seeds: cannot write the seeds\n";
  return ok ? 0 : 1;
}
