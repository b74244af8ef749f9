// The record walk against a plain byte-by-byte walk of the same rules, with the file handed
// out in pieces of every size: the buffered reader must agree with it on every input, stay
// inside the file and stop at its end.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/memory_file.h"
#include "grf/grf_reader.h"

namespace {

using kestrav::GrfAction8;

struct Walked {
  std::uint64_t total = 0, pseudo = 0;
  std::vector<GrfAction8> action8;
};

// The rules read one byte at a time; a record that does not fit whole is not counted.
Walked ReferenceWalk(const std::string& file) {
  Walked walked;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
  const std::size_t size = file.size();
  std::size_t at = 0;
  const auto have = [&](std::size_t count) { return size - at >= count; };
  for (;;) {
    if (!have(2)) break;
    const unsigned length = bytes[at] | bytes[at + 1] << 8;
    at += 2;
    if (length == 0 || !have(1)) break;
    const std::uint8_t info = bytes[at++];
    if (info == 0xFF) {
      if (!have(length)) break;
      if (bytes[at] == 0x08) walked.action8.push_back(kestrav::DecodeAction8(bytes + at, length));
      at += length;
      ++walked.pseudo;
    } else if (info & 0x02) {
      if (!have(length - 1)) break;
      at += length - 1;
    } else {
      if (!have(7)) break;
      at += 7;
      std::uint16_t remaining = static_cast<std::uint16_t>(length - 8);
      bool whole = true;
      while (remaining != 0) {
        if (!have(1)) {
          whole = false;
          break;
        }
        const auto code = static_cast<std::int8_t>(bytes[at++]);
        const unsigned run = code >= 0 ? (code == 0 ? 128u : static_cast<unsigned>(code)) : 1u;
        if (!have(run)) {
          whole = false;
          break;
        }
        at += run;
        remaining = static_cast<std::uint16_t>(remaining - (code >= 0 ? run : static_cast<unsigned>(-(code >> 3))));
      }
      if (!whole) break;
    }
    ++walked.total;
  }
  return walked;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses how the port hands out the file; the rest is the file.
  static constexpr std::size_t kPieces[] = {1, 2, 3, 7, 129, 4096, 70000, SIZE_MAX};
  const std::size_t piece = kPieces[data[0] & 7];
  const bool knowsSize = (data[0] & 8) == 0;
  const std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);

  kestrav::fuzz::MemoryFileSystem files(file, piece, knowsSize);
  const kestrav::GrfInfo info = kestrav::AnalyzeGrf(files, kestrav::fuzz::MemoryFileSystem::kPath);
  Check(info.opened);
  Check(files.use.opens == 1);
  Check(files.use.emptyReads <= 1);
  Check(info.totalSprites == info.normalSprites + info.pseudoSprites);
  Check(info.modified == (kestrav::DosDateTime{2001, 2, 3, 4, 5, 6}));

  const Walked expected = ReferenceWalk(file);
  Check(static_cast<std::uint64_t>(info.totalSprites) == expected.total);
  Check(static_cast<std::uint64_t>(info.pseudoSprites) == expected.pseudo);
  Check(info.action8 == expected.action8);
  for (const GrfAction8& record : info.action8) {
    Check(record.grfId.size() == 8);
    Check(record.info.size() + record.description.size() <= file.size());
  }

  const kestrav::GrfInfo missing = kestrav::AnalyzeGrf(files, "C:\\TTD\\newgrf\\other.grf");
  Check(!missing.opened && missing.totalSprites == 0 && missing.action8.empty());
  return 0;
}
