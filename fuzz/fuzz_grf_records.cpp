// The record walk against a plain byte-by-byte walk of the same rules, with the file handed
// out in pieces of every size: the buffered reader must agree with it on every input, stay
// inside the file and stop at its end.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "grf/grf_reader.h"

namespace {

constexpr const char* kPath = "C:\\TTD\\newgrf\\fuzz.grf";
constexpr kestrav::DosDateTime kModified{2001, 2, 3, 4, 5, 6};

void Check(bool condition) {
  if (!condition) std::abort();
}

// One file in memory behind the file system port, handed out in pieces of a chosen size, as
// a port may; it counts how the reader uses it.
struct MemoryFileSystem : kestrav::FileSystem {
  struct File : kestrav::InputFile {
    explicit File(MemoryFileSystem& owner) : owner(owner) {}
    std::size_t Read(void* buffer, std::size_t size) override {
      const std::size_t count = std::min({size, owner.piece, owner.bytes.size() - std::min(at, owner.bytes.size())});
      owner.emptyReads += count == 0;
      if (count) std::memcpy(buffer, owner.bytes.data() + at, count);
      at += count;
      return count;
    }
    bool Seek(std::uint64_t offset) override {
      Check(offset <= owner.bytes.size());  // the walk jumps only within the file as it was sized
      at = static_cast<std::size_t>(offset);
      return true;
    }
    // A port that cannot size the file says 0.
    std::uint64_t Size() override { return owner.knowsSize ? owner.bytes.size() : 0; }
    MemoryFileSystem& owner;
    std::size_t at = 0;
  };

  bool FileExists(const std::string&) override { std::abort(); }
  bool DirectoryExists(const std::string&) override { std::abort(); }
  std::vector<std::string> ListFiles(const std::string&, const std::string&) override { std::abort(); }
  std::optional<kestrav::DosDateTime> LastWriteTime(const std::string& path) override {
    Check(path == kPath);
    return kModified;
  }
  void CreateDirectories(const std::string&) override { std::abort(); }
  std::unique_ptr<kestrav::InputFile> OpenForRead(const std::string& path) override {
    Check(path == kPath && ++opens == 1);
    return std::make_unique<File>(*this);
  }
  void WriteWholeFile(const std::string&, const std::string&) override { std::abort(); }
  bool CopyFileOver(const std::string&, const std::string&) override { std::abort(); }
  bool RemoveFile(const std::string&) override { std::abort(); }

  MemoryFileSystem(const std::string& bytes, std::size_t piece, bool knowsSize)
      : bytes(bytes), piece(piece), knowsSize(knowsSize) {}
  const std::string& bytes;
  std::size_t piece;
  bool knowsSize;
  int opens = 0, emptyReads = 0;  // reads that got nothing: one ends the walk, more is looping
};

// The rules read one byte at a time; a record that does not fit whole is not counted.
kestrav::GrfInfo ReferenceWalk(const std::uint8_t* bytes, std::size_t size) {
  kestrav::GrfInfo walked;
  std::size_t at = 0;
  const auto have = [&](std::size_t count) { return size - at >= count; };
  while (have(3)) {
    const unsigned length = bytes[at] | bytes[at + 1] << 8;
    const std::uint8_t info = bytes[at + 2];
    at += 3;
    if (length == 0) break;
    if (info == 0xFF) {
      if (!have(length)) break;
      if (bytes[at] == 0x08) walked.action8.push_back(kestrav::DecodeAction8(bytes + at, length));
      at += length;
      ++walked.pseudoSprites;
    } else if (info & 0x02) {
      if (!have(length - 1)) break;
      at += length - 1;
    } else {
      if (!have(7)) break;
      at += 7;
      bool whole = true;
      for (auto remaining = static_cast<std::uint16_t>(length - 8); remaining != 0 && (whole = have(1));) {
        const auto code = static_cast<std::int8_t>(bytes[at++]);
        const unsigned run = code >= 0 ? (code == 0 ? 128u : static_cast<unsigned>(code)) : 1u;
        if (!(whole = have(run))) break;
        at += run;
        remaining = static_cast<std::uint16_t>(remaining - (code >= 0 ? run : static_cast<unsigned>(-(code >> 3))));
      }
      if (!whole) break;
    }
    ++walked.totalSprites;
  }
  return walked;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses how the port hands out the file; the rest is the file.
  static constexpr std::size_t kPieces[] = {1, 2, 3, 7, 129, 4096, 70000, SIZE_MAX};
  const std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);
  MemoryFileSystem files(file, kPieces[data[0] & 7], (data[0] & 8) == 0);
  const kestrav::GrfInfo info = kestrav::AnalyzeGrf(files, kPath);
  const kestrav::GrfInfo expected = ReferenceWalk(data + 1, size - 1);
  Check(info.opened && files.emptyReads <= 1 && info.modified == kModified);
  Check(info.totalSprites == expected.totalSprites && info.pseudoSprites == expected.pseudoSprites);
  Check(info.normalSprites == info.totalSprites - info.pseudoSprites);
  // The reference decodes from the fuzzer's own input, where reading past a record is caught.
  Check(info.action8 == expected.action8);
  return 0;
}
