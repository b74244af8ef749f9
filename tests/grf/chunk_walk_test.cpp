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

// Every kind of chunk, counts below 8 that wrap round and come back to 0, stored sprites
// jumped over and a last stream cut short, over several of the reader's buffer refills:
// every level counts what the plain walk counts, which is what the file holds.
TEST(ChunkWalk, EveryLevelReadsLargeFilesAsThePlainWalkDoes) {
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  std::minstd_rand random(1);
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
  while (grf.size() < 3 * GrfStream::kBufferSize) {
    const int kind = between(0, 40), size = kind == 0 ? between(1, 7) : -1;
    grf.Compressed(stream(size < 0 ? between(1, 4000) : 65528 + size), size);
    if (kind == 1) grf.Stored(static_cast<std::size_t>(between(1, 65000)));
  }
  const std::string path = dir.Write("large.grf", grf.Compressed(stream(5000)).DropLast(40).bytes());
  for (int level = 0; level <= static_cast<int>(BestChunkWalkLevel()); ++level) {
    UseChunkWalkLevel(static_cast<ChunkWalkLevel>(level));
    EXPECT_EQ(grf.normalSprites() - 1, AnalyzeGrf(*system.files, path).normalSprites)
        << ChunkWalkLevelName(static_cast<ChunkWalkLevel>(level));
  }
  UseChunkWalkLevel(BestChunkWalkLevel());
}

}  // namespace
}  // namespace kestrav
