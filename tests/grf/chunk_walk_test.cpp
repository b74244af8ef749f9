#include "grf/chunk_walk.h"

#include <gtest/gtest.h>

#include "grf/grf_reader.h"
#include "platform/system_platform.h"
#include "sample/sample_grf.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

// Compressed sprites of literal runs and back-references, stored sprites jumped over, a count
// below 8 that wraps round and comes back to 0 and a last stream cut short, over several of
// the reader's buffer refills: every level counts what the file holds.
TEST(ChunkWalk, EveryLevelReadsLargeFilesAsThePlainWalkDoes) {
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  sample::SampleGrfOptions options;
  options.normalSprites = 200;
  options.maxSide = 200;
  std::string bytes = sample::SampleGrf(options).bytes();
  bytes.resize(bytes.size() - 2);  // the terminator
  // Size 7: 65,535 bytes to yield, 4,095 back-references of 16 and one of 15.
  std::string wrapped = std::string(7, 'h');
  for (int i = 0; i < 4095; ++i) wrapped += "\x80\x01";
  test::GrfBuilder tail;
  tail.Record(7, 0x01, wrapped + "\x88\x01");
  sample::AddCompressedPixels(tail, sample::SamplePixels(100, 100, 3), 100);
  bytes += tail.bytes().substr(0, tail.size() - 40);
  ASSERT_GT(bytes.size(), 3 * GrfStream::kBufferSize);
  const std::string path = dir.Write("large.grf", bytes);
  for (int level = 0; level <= static_cast<int>(BestChunkWalkLevel()); ++level) {
    UseChunkWalkLevel(static_cast<ChunkWalkLevel>(level));
    EXPECT_EQ(options.normalSprites + 1, AnalyzeGrf(*system.files, path).normalSprites)
        << ChunkWalkLevelName(static_cast<ChunkWalkLevel>(level));
  }
  UseChunkWalkLevel(BestChunkWalkLevel());
}

}  // namespace
}  // namespace kestrav
