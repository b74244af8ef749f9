// The record walk with the widest chunk walk and the file handed out in pieces of every size,
// against the plain chunk walk given the whole file: both must find the same, stay inside
// the file and stop at its end.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "grf/chunk_walk.h"
#include "grf/fact_conditions.h"
#include "grf/grf_reader.h"

namespace {

constexpr const char* kPath = "C:\\TTD\\newgrf\\fuzz.grf";

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
  std::optional<kestrav::DosDateTime> LastWriteTime(const std::string&) override { return std::nullopt; }
  void CreateDirectories(const std::string&) override { std::abort(); }
  std::unique_ptr<kestrav::InputFile> OpenForRead(const std::string& path) override {
    Check(path == kPath && ++opens == 1);
    return std::make_unique<File>(*this);
  }
  void WriteWholeFile(const std::string&, const std::string&) override { std::abort(); }
  bool CopyFileOver(const std::string&, const std::string&) override { std::abort(); }
  bool RemoveFile(const std::string&) override { std::abort(); }
  bool RecycleFile(const std::string&) override { std::abort(); }
  std::string LongName(const std::string&) override { std::abort(); }

  MemoryFileSystem(const std::string& bytes, std::size_t piece, bool knowsSize)
      : bytes(bytes), piece(piece), knowsSize(knowsSize) {}
  const std::string& bytes;
  std::size_t piece;
  bool knowsSize;
  int opens = 0, emptyReads = 0;  // reads that got nothing: one ends the walk, more is looping
};

auto Analyze(const std::string& file, std::size_t piece, bool knowsSize, kestrav::ChunkWalkLevel level) {
  kestrav::UseChunkWalkLevel(level);
  MemoryFileSystem files(file, piece, knowsSize);
  const kestrav::GrfInfo info = kestrav::AnalyzeGrf(files, kPath);
  Check(info.opened && files.emptyReads <= 1 && info.normalSprites == info.totalSprites - info.pseudoSprites);
  // The facts stay within their cap, and deciding them ends, with and without parameters.
  const kestrav::GrfFacts& facts = info.facts;
  Check(facts.facts.size() + facts.skips.size() + facts.assigns.size() <= kestrav::GrfFacts::kMaxSteps);
  std::vector<kestrav::DecidedFact> decided;
  for (const auto& parameters : {std::vector<std::uint32_t>{}, std::vector<std::uint32_t>{1, 0xFFFFFFFF, 3}}) {
    kestrav::GrfEntryContext context{parameters, kestrav::TtdEdition::Dos, [](kestrav::GrfId id, kestrav::GrfId) {
                                       return kestrav::GrfIdPlaces{(id & 1) != 0, (id & 2) != 0};
                                     }};
    kestrav::DecideFacts(facts, context, decided);
    Check(decided.size() <= facts.facts.size());
  }
  return std::tuple(info.totalSprites, info.pseudoSprites, info.action8, info.action8Count, info.announcedSprites,
                    info.endedCleanly, info.secondContainer, facts.facts.size(), facts.skips.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses how the port hands out the file; the rest is the file.
  static constexpr std::size_t kPieces[] = {1, 2, 3, 7, 129, 4096, 70000, SIZE_MAX};
  const std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto best = kestrav::BestChunkWalkLevel();
  Check(Analyze(file, kPieces[data[0] & 7], (data[0] & 8) == 0, best) ==
        Analyze(file, SIZE_MAX, true, kestrav::ChunkWalkLevel::Plain));
  return 0;
}
