// The walk over compressed streams, a window of 16 bytes at a time.
//
// Chunk by chunk, each chunk's place depends on the code byte before it, so the walk waits
// for one load per chunk. Yet from any byte of a 16-byte window, the chain of chunks that
// would start there leaves the window at a place, and yields a number of bytes, that depend
// on the window's bytes alone. Vector byte shuffles find both for all 16 places at once by
// pointer jumping: every place starts with its own chunk (where the next one begins, what
// it yields), and each of three rounds adds the yield of the place it points to and takes
// over that place's pointer, doubling the chunks covered, enough for the at most 8 chunks
// that start in one window. The walk then crosses a window with one load while the
// remaining count shows the stream cannot end inside it, and goes chunk by chunk only in
// the window where it may. With AVX-512 a second table carries each chain on through the
// next window as well, so that most steps cross 32 bytes. The tables are made per block of
// 128 or 256 bytes of the buffer, the next block's before the current one is walked so that
// the processor overlaps the two, and are kept for the next stream in the same buffer.
#include "grf/chunk_walk.h"

#include <atomic>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define KESTRAV_X86_VECTORS 1
#include <immintrin.h>
#endif

namespace kestrav {
namespace {

// AVX-512 makes the tables of 256 bytes at a time, the narrower levels of 128: what
// measured fastest for each.
constexpr std::size_t kWideBlock = ChunkWalker::kBlock;
constexpr std::size_t kNarrowBlock = kWideBlock / 2;
constexpr std::size_t kWindow = 16;

// One chunk at a time while at <= stop, until the chunks have yielded remaining bytes.
std::uint16_t SkipChunks(const std::uint8_t*& at, const std::uint8_t* stop, std::uint16_t remaining) {
  while (at <= stop) {
    const auto code = static_cast<std::int8_t>(*at);
    unsigned yield;
    if (code >= 0) {
      yield = code == 0 ? 128u : static_cast<unsigned>(code);
      at += 1 + yield;
    } else {
      yield = static_cast<unsigned>(-(code >> 3));
      at += 2;
    }
    remaining = static_cast<std::uint16_t>(remaining - yield);
    if (remaining == 0) break;
  }
  return remaining;
}

#ifdef KESTRAV_X86_VECTORS
// Each maker below computes, per byte c of the block: the literal run's yield
// ((c - 1) & 0x7F) + 1 (128 for c = 0), the back-reference's 32 - (c >> 3 & 0x1F) (1 to
// 16), the chunk's length (the run's yield + 1, or 2), then the three doubling rounds. A
// pointer past the window becomes a shuffle index with bit 7 set (it adds 0 and keeps the
// pointer); a pointer inside it has its place in the low four bits. Pointers count from
// the start of their own window of 16. Only the AVX-512 maker makes far steps.

__attribute__((target("ssse3"))) void TablesSsse3(const std::uint8_t* bytes, ChunkWalker::Tables& tables) {
  const __m128i lane = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m128i one = _mm_set1_epi8(1), two = _mm_set1_epi8(2), low7 = _mm_set1_epi8(0x7F);
  const __m128i low5 = _mm_set1_epi8(0x1F), k32 = _mm_set1_epi8(32), toIndex = _mm_set1_epi8(0x70);
  for (std::size_t at = 0; at < kNarrowBlock; at += 16) {
    const __m128i code = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    const __m128i back = _mm_cmplt_epi8(code, _mm_setzero_si128());
    const __m128i literal = _mm_add_epi8(_mm_and_si128(_mm_sub_epi8(code, one), low7), one);
    const __m128i reference = _mm_sub_epi8(k32, _mm_and_si128(_mm_srli_epi16(code, 3), low5));
    __m128i yield = _mm_or_si128(_mm_and_si128(back, reference), _mm_andnot_si128(back, literal));
    const __m128i length = _mm_or_si128(_mm_and_si128(back, two), _mm_andnot_si128(back, _mm_add_epi8(literal, one)));
    __m128i next = _mm_add_epi8(lane, length);
    for (int round = 0; round < 3; ++round) {
      const __m128i index = _mm_adds_epu8(next, toIndex);
      yield = _mm_add_epi8(yield, _mm_shuffle_epi8(yield, index));
      next = _mm_max_epu8(next, _mm_shuffle_epi8(next, index));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(tables.near.jump + at), _mm_sub_epi8(next, lane));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(tables.near.yield + at), yield);
  }
}

__attribute__((target("avx2"))) void TablesAvx2(const std::uint8_t* bytes, ChunkWalker::Tables& tables) {
  const __m256i lane = _mm256_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7,
                                        8, 9, 10, 11, 12, 13, 14, 15);
  const __m256i one = _mm256_set1_epi8(1), two = _mm256_set1_epi8(2), low7 = _mm256_set1_epi8(0x7F);
  const __m256i low5 = _mm256_set1_epi8(0x1F), k32 = _mm256_set1_epi8(32), toIndex = _mm256_set1_epi8(0x70);
  for (std::size_t at = 0; at < kNarrowBlock; at += 32) {
    const __m256i code = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + at));
    const __m256i back = _mm256_cmpgt_epi8(_mm256_setzero_si256(), code);
    const __m256i literal = _mm256_add_epi8(_mm256_and_si256(_mm256_sub_epi8(code, one), low7), one);
    const __m256i reference = _mm256_sub_epi8(k32, _mm256_and_si256(_mm256_srli_epi16(code, 3), low5));
    __m256i yield = _mm256_blendv_epi8(literal, reference, back);
    __m256i next = _mm256_add_epi8(lane, _mm256_blendv_epi8(_mm256_add_epi8(literal, one), two, back));
    for (int round = 0; round < 3; ++round) {
      const __m256i index = _mm256_adds_epu8(next, toIndex);
      yield = _mm256_add_epi8(yield, _mm256_shuffle_epi8(yield, index));
      next = _mm256_max_epu8(next, _mm256_shuffle_epi8(next, index));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(tables.near.jump + at), _mm256_sub_epi8(next, lane));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(tables.near.yield + at), yield);
  }
}

__attribute__((target("avx512bw"))) void TablesAvx512(const std::uint8_t* bytes, ChunkWalker::Tables& tables) {
  const __m512i lane = _mm512_set4_epi32(0x0F0E0D0C, 0x0B0A0908, 0x07060504, 0x03020100);  // 0 to 15, four times
  const __m512i laneOne = _mm512_add_epi8(lane, _mm512_set1_epi8(1));
  const __m512i laneTwo = _mm512_add_epi8(lane, _mm512_set1_epi8(2));
  const __m512i low5 = _mm512_set1_epi8(0x1F), k32 = _mm512_set1_epi8(32), k128 = _mm512_set1_epi8(-128);
  const __m512i toIndex = _mm512_set1_epi8(0x70), sixteen = _mm512_set1_epi8(16), ones = _mm512_set1_epi8(-1);
  for (std::size_t at = 0; at < kWideBlock; at += 64) {
    // With masks: the literal run's yield is c, or 128 for c = 0.
    const __m512i code = _mm512_loadu_si512(bytes + at);
    const __mmask64 back = _mm512_movepi8_mask(code);
    const __m512i literal = _mm512_mask_mov_epi8(code, _mm512_testn_epi8_mask(code, code), k128);
    __m512i yield = _mm512_mask_sub_epi8(literal, back, k32, _mm512_and_si512(_mm512_srli_epi16(code, 3), low5));
    __m512i next = _mm512_mask_blend_epi8(back, _mm512_add_epi8(laneOne, literal), laneTwo);
    for (int round = 0; round < 3; ++round) {
      const __m512i index = _mm512_adds_epu8(next, toIndex);
      yield = _mm512_add_epi8(yield, _mm512_shuffle_epi8(yield, index));
      next = _mm512_max_epu8(next, _mm512_shuffle_epi8(next, index));
    }
    _mm512_storeu_si512(tables.near.jump + at, _mm512_sub_epi8(next, lane));
    _mm512_storeu_si512(tables.near.yield + at, yield);
    // The far steps: each window's chains go on into the next window of the 64 bytes, whose
    // steps are moved under it (nothing under the last one) with their pointers counted from
    // it; they are added unless the yields would pass 255 together, where the step stays as
    // it was, still true to its chunks.
    constexpr __mmask16 kHasNext = 0x0FFF;  // the 32-bit pieces of the first three windows
    const __m512i index = _mm512_adds_epu8(_mm512_sub_epi8(next, sixteen), toIndex);
    const __m512i added = _mm512_shuffle_epi8(_mm512_maskz_alignr_epi32(kHasNext, yield, yield, 4), index);
    const __m512i later = _mm512_add_epi8(next, sixteen);
    const __m512i reached = _mm512_shuffle_epi8(_mm512_maskz_alignr_epi32(kHasNext, later, later, 4), index);
    const __mmask64 fits = _mm512_cmple_epu8_mask(added, _mm512_xor_si512(yield, ones));
    yield = _mm512_mask_add_epi8(yield, fits, yield, added);
    next = _mm512_mask_max_epu8(next, fits, next, reached);
    _mm512_storeu_si512(tables.far.jump + at, _mm512_sub_epi8(next, lane));
    _mm512_storeu_si512(tables.far.yield + at, yield);
  }
}
#endif

ChunkWalkLevel DetectBestLevel() {
#ifdef KESTRAV_X86_VECTORS
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512bw")) return ChunkWalkLevel::Avx512;
  if (__builtin_cpu_supports("avx2")) return ChunkWalkLevel::Avx2;
  if (__builtin_cpu_supports("ssse3")) return ChunkWalkLevel::Ssse3;
#endif
  return ChunkWalkLevel::Plain;
}

ChunkWalker::TableMaker MakerOf(ChunkWalkLevel level) {
  switch (level) {
#ifdef KESTRAV_X86_VECTORS
    case ChunkWalkLevel::Ssse3: return TablesSsse3;
    case ChunkWalkLevel::Avx2: return TablesAvx2;
    case ChunkWalkLevel::Avx512: return TablesAvx512;
#endif
    default: return nullptr;
  }
}

bool MakesWideTables(ChunkWalker::TableMaker maker) {
#ifdef KESTRAV_X86_VECTORS
  return maker == TablesAvx512;
#else
  static_cast<void>(maker);
  return false;
#endif
}

std::atomic<ChunkWalkLevel>& LevelInUse() {
  static std::atomic<ChunkWalkLevel> level{BestChunkWalkLevel()};
  return level;
}

}  // namespace

ChunkWalkLevel BestChunkWalkLevel() {
  static const ChunkWalkLevel best = DetectBestLevel();
  return best;
}

ChunkWalkLevel ChunkWalkLevelInUse() { return LevelInUse().load(std::memory_order_relaxed); }

void UseChunkWalkLevel(ChunkWalkLevel level) {
  LevelInUse().store(level <= BestChunkWalkLevel() ? level : BestChunkWalkLevel(), std::memory_order_relaxed);
}

const char* ChunkWalkLevelName(ChunkWalkLevel level) {
  switch (level) {
    case ChunkWalkLevel::Plain: return "plain";
    case ChunkWalkLevel::Ssse3: return "SSSE3";
    case ChunkWalkLevel::Avx2: return "AVX2";
    case ChunkWalkLevel::Avx512: return "AVX-512BW";
  }
  return "";
}

ChunkWalker::ChunkWalker(const std::uint8_t* buffer)
    : buffer_(buffer), make_(MakerOf(ChunkWalkLevelInUse())), wide_(MakesWideTables(make_)) {}

void ChunkWalker::Forget() { slots_[0].block = slots_[1].block = SIZE_MAX; }

template <std::size_t kSpan>
const ChunkWalker::Tables& ChunkWalker::TablesOf(std::size_t block) {
  Tables& tables = slots_[block & 1];
  if (tables.block != block) {
    make_(buffer_ + block * kSpan, tables);
    tables.block = block;
  }
  return tables;
}

std::uint16_t ChunkWalker::Skip(const std::uint8_t*& at, const std::uint8_t* stop, std::uint16_t remaining) {
  if (make_) {
    remaining = wide_ ? SkipWindows<kWideBlock, true>(at, stop, remaining)
                      : SkipWindows<kNarrowBlock, false>(at, stop, remaining);
  }
  return remaining == 0 ? remaining : SkipChunks(at, stop, remaining);
}

// Walks the blocks whose every byte lies at or before stop: every chunk that starts in them
// lies whole in the buffer. The rest is left to the plain walk.
template <std::size_t kSpan, bool kFarSteps>
std::uint16_t ChunkWalker::SkipWindows(const std::uint8_t*& at, const std::uint8_t* stop, std::uint16_t remaining) {
  if (stop < buffer_) return remaining;
  const std::size_t blocks = static_cast<std::size_t>(stop - buffer_ + 1) / kSpan;
  std::size_t block = static_cast<std::size_t>(at - buffer_) / kSpan;
  std::size_t offset = static_cast<std::size_t>(at - buffer_) % kSpan;
  while (block < blocks) {
    if (block + 1 < blocks) TablesOf<kSpan>(block + 1);
    const Tables& tables = TablesOf<kSpan>(block);
    while (offset < kSpan) {
      if constexpr (kFarSteps) {
        const unsigned yield = tables.far.yield[offset];
        if (yield < remaining) {
          remaining = static_cast<std::uint16_t>(remaining - yield);
          offset += tables.far.jump[offset];
          continue;
        }
      }
      const unsigned yield = tables.near.yield[offset];
      if (yield < remaining) {
        remaining = static_cast<std::uint16_t>(remaining - yield);
        offset += tables.near.jump[offset];
        continue;
      }
      // The stream may end in this window of 16.
      const std::uint8_t* base = buffer_ + block * kSpan;
      const std::uint8_t* chunk = base + offset;
      remaining = SkipChunks(chunk, base + (offset | (kWindow - 1)), remaining);
      offset = static_cast<std::size_t>(chunk - base);
      if (remaining == 0) {
        at = chunk;
        return 0;
      }
    }
    block += offset / kSpan;
    offset %= kSpan;
  }
  at = buffer_ + block * kSpan + offset;
  return remaining;
}

}  // namespace kestrav
