#pragma once
// Passing over the chunks of compressed sprite streams that lie in a buffer, without
// decoding them: chunk by chunk, or a whole window of bytes at a time with the vector
// instructions the processor offers.
#include <cstddef>
#include <cstdint>

namespace kestrav {

// The ways of walking, from the plain chunk-by-chunk loop to the widest vectors.
enum class ChunkWalkLevel { Plain, Ssse3, Avx2, Avx512 };

// The widest level this processor offers; every level below it works as well.
ChunkWalkLevel BestChunkWalkLevel();
// The level of the walks that start from now on: the best one, unless a test or a
// benchmark chose another.
ChunkWalkLevel ChunkWalkLevelInUse();
// A level the processor lacks is taken as the best it has.
void UseChunkWalkLevel(ChunkWalkLevel level);
const char* ChunkWalkLevelName(ChunkWalkLevel level);

// Walks the streams found in one buffer. What it learnt of the buffer's bytes is kept from
// one stream to the next: Forget must be called whenever those bytes change.
class ChunkWalker {
 public:
  static constexpr std::size_t kBlock = 256;  // the most bytes one set of tables describes

  explicit ChunkWalker(const std::uint8_t* buffer);

  // Passes over whole chunks from at while at <= stop (so that the longest chunk still lies
  // in the buffer) until they have yielded remaining bytes (remaining != 0, counted modulo
  // 65,536); returns what remains to yield.
  std::uint16_t Skip(const std::uint8_t*& at, const std::uint8_t* stop, std::uint16_t remaining);
  void Forget();

  // For each byte of a window of 16 (its position i), where the chain of chunks that starts
  // there leaves the window and what it yields: i + jump[i] is the first chunk at or past
  // the window's end, yield[i] what the chunks before it yield (at most 240). far holds the
  // same, for AVX-512, up to the end of the next window of 16 in the same 64 bytes (or only
  // to the end of the first where both together would yield more than 255); the other
  // levels have none.
  struct Steps {
    std::uint8_t jump[kBlock];
    std::uint8_t yield[kBlock];
  };
  struct Tables {
    Steps near;
    Steps far;
    std::size_t block = SIZE_MAX;  // the block of the buffer they describe
  };
  using TableMaker = void (*)(const std::uint8_t* bytes, Tables& tables);

 private:
  template <std::size_t kSpan, bool kFarSteps>
  std::uint16_t SkipWindows(const std::uint8_t*& at, const std::uint8_t* stop, std::uint16_t remaining);
  template <std::size_t kSpan>
  const Tables& TablesOf(std::size_t block);

  const std::uint8_t* buffer_;
  TableMaker make_;
  bool wide_;  // the maker makes far steps, 256 bytes at a time (else near ones, 128)
  Tables slots_[2];
};

}  // namespace kestrav
