#include "grf/chunk_walk.h"

#include <gtest/gtest.h>

#include <random>

#include "grf/grf_reader.h"
#include "platform/system_platform.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::GrfChunk;

// Streams of every kind of chunk, some with a size below 8 whose count wraps round and comes
// back to 0, among stored sprites large enough to be jumped over and a last stream cut
// short: several times the reader's buffer, so that the walk crosses its refills.
test::GrfBuilder LargeFile(std::uint32_t seed) {
  std::minstd_rand random(seed);
  const auto between = [&](int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); };
  const auto stream = [&](int yield) {
    std::vector<GrfChunk> chunks;
    for (int sum = 0, length; sum < yield; sum += length) {
      const bool literal = yield - sum <= 144 || between(0, 3) == 0;
      length = literal ? std::min(yield - sum, between(1, 128)) : between(1, 16);
      chunks.push_back(literal ? GrfChunk::Literal(length) : GrfChunk::BackReference(length));
    }
    return chunks;
  };
  test::GrfBuilder grf;
  grf.Action8(7, "WALK", "large", "");
  while (grf.size() < 3 * GrfStream::kBufferSize) {
    const int kind = between(0, 40);
    const int size = kind == 0 ? between(1, 7) : -1;
    grf.Compressed(stream(size < 0 ? between(1, 4000) : 65528 + size), size);
    if (kind == 1) grf.Stored(static_cast<std::size_t>(between(1, 65000)));
    if (kind == 2) grf.Pseudo(std::string(static_cast<std::size_t>(between(1, 300)), '\x80'));
  }
  return grf.Compressed(stream(5000)).DropLast(40);
}

TEST(ChunkWalk, EveryLevelReadsLargeFilesAsThePlainWalkDoes) {
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  for (std::uint32_t seed = 1; seed <= 3; ++seed) {
    const test::GrfBuilder grf = LargeFile(seed);
    const std::string path = dir.Write("large" + std::to_string(seed) + ".grf", grf.bytes());
    UseChunkWalkLevel(ChunkWalkLevel::Plain);
    const GrfInfo plain = AnalyzeGrf(*system.files, path);
    EXPECT_EQ(grf.normalSprites() - 1, plain.normalSprites);  // the last one is cut short
    for (int level = 1; level <= static_cast<int>(BestChunkWalkLevel()); ++level) {
      UseChunkWalkLevel(static_cast<ChunkWalkLevel>(level));
      const GrfInfo info = AnalyzeGrf(*system.files, path);
      const char* name = ChunkWalkLevelName(static_cast<ChunkWalkLevel>(level));
      EXPECT_EQ(plain.normalSprites, info.normalSprites) << name << " seed " << seed;
      EXPECT_EQ(plain.pseudoSprites, info.pseudoSprites) << name << " seed " << seed;
      EXPECT_EQ(plain.action8, info.action8) << name << " seed " << seed;
    }
  }
  UseChunkWalkLevel(BestChunkWalkLevel());
}

}  // namespace
}  // namespace kestrav
