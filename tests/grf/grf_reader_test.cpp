#include "grf/grf_reader.h"

#include <gtest/gtest.h>

#include "grf/chunk_walk.h"
#include "platform/system_platform.h"
#include "sample/sample_grf.h"
#include "support/grf_builder.h"
#include "support/grf_file_test.h"

namespace kestrav {
namespace {

using test::GrfBuilder;
using namespace std::string_literals;

std::string Bytes(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }

using GrfReader = test::GrfFileTest;

TEST_F(GrfReader, CountsTheRecordsTheSizeFieldsAndChunkCodesDefineAndNoneTheEndCutsShort) {
  // A record read wrong leaves the walk off the Action 8 record after it.
  const std::string after = GrfBuilder().Action8(1, "ABCD", "after", "").Terminator().bytes();
  const auto compressed = [](int size, const std::string& chunks) {
    return GrfBuilder().Record(static_cast<std::uint16_t>(size), 0x00, std::string(7, 'h') + chunks).bytes();
  };
  // Codes 0x80, 0xFF, 0xF8, 0xF7, 0x87 and 0x01 yield 16 + 1 + 1 + 2 + 16 + 1 bytes; 0x00 128 and 0x7F 127.
  const std::string codes = Bytes({0x80, 0, 0xFF, 0xFF, 0xF8, 0, 0xF7, 0, 0x87, 0xFF, 0x01, 0});
  const std::string chunks = '\0' + std::string(128, 'l') + codes + '\x7F' + std::string(127, '\0');
  const std::tuple<const char*, std::string, int, int> cases[] = {
      {"every kind of chunk code", compressed(8 + 292, chunks) + after, 1, 1},
      {"chunk codes in the last bytes of the file", compressed(8 + 37, codes) + after, 1, 1},
      {"the count never comes back to 0", GrfBuilder().Pseudo("first").bytes() + compressed(3, "\x05xxxxx\xF0\x01") + after,
       0, 1},
      {"0xFE, and stored size 1", GrfBuilder().Record(4, 0xFE, "abc").Record(1, 0x02, "").bytes() + after, 2, 1},
      {"the largest stored sprite", GrfBuilder().Stored(65535 - 8).bytes() + after, 1, 1},
      {"pseudo sprite of 65,535 bytes", Bytes({0xFF, 0xFF, 0xFF}) + "only a few bytes", 0, 0},
      {"stored sprite of 65,535 bytes", Bytes({0xFF, 0xFF, 0x02}) + std::string(40000, 'x'), 0, 0},
      {"literal run cut short", compressed(8 + 20, Bytes({0x7F, 1, 2, 3})), 0, 0},
      {"back-reference without its second byte", compressed(8 + 1, Bytes({0xF8})), 0, 0},
      {"nothing after the terminator", GrfBuilder().Stored(1).Terminator().bytes() + after, 1, 0},
  };
  for (const auto& [what, file, normal, pseudo] : cases) {
    const GrfInfo info = Analyze(file);
    EXPECT_TRUE(info.opened) << what;
    EXPECT_EQ(std::tuple(normal, pseudo, normal + pseudo),
              std::tuple(info.normalSprites, info.pseudoSprites, info.totalSprites))
        << what;
  }
  for (const char* path : {"newgrf", "missing.grf"}) EXPECT_FALSE(AnalyzeGrf(*system.files, dir.Join(path)).opened);
}

TEST_F(GrfReader, DecodesEveryActionEightRecordInFileOrderAsIfZerosFollowedAShortOne) {
  const std::pair<std::string, GrfAction8> cases[] = {
      {Bytes({0x08, 0x07, 0x12, 0xAB, 0x00, 0xFF}) + "First \xE9\x01\\text\0Its description\0"s,
       {7, "12AB00FF", "First \xE9\x01\\text", "Its description"}},
      {Bytes({0x08, 0x80, 0, 0, 0, 1, 0, 0}), {-128, "00000001", "", ""}},
      {Bytes({0x08, 0xFF, 0xFE, 0xDC, 0xBA, 0x98}) + "Third\0\0extra\0"s, {-1, "FEDCBA98", "Third", ""}},
      {Bytes({0x08, 0x02}) + "WXYZ" + std::string(65535 - 7, 'i') + '\0', {2, "5758595A", std::string(65528, 'i'), ""}},
      {Bytes({0x08, 0x05, 0x12, 0xAB}), {5, "12AB0000", "", ""}},
      {Bytes({0x08, 0x01, 1, 2, 3, 4}) + "no end", {1, "01020304", "no end", ""}},
  };
  GrfBuilder grf;
  std::vector<GrfAction8> expected;
  for (const auto& [data, record] : cases) {
    // A longer record before each fills the buffer: its bytes must not leak into the next.
    grf.Pseudo("\x01" + std::string(300, 'Z')).Stored(4).Pseudo(data);
    expected.push_back(record);
  }
  const GrfInfo info = Analyze(grf.Terminator().bytes());
  EXPECT_EQ(expected, info.action8);
  EXPECT_EQ(std::tuple(6, 12), std::tuple(info.normalSprites, info.pseudoSprites));
}

// Compressed sprites of literal runs and back-references, stored sprites jumped over, a count
// below 8 that wraps round and comes back to 0 and a last stream cut short, over several of
// the reader's buffer refills: every level of the chunk walk counts what the file holds.
TEST_F(GrfReader, EveryChunkWalkLevelReadsLargeFilesAsThePlainWalkDoes) {
  const sample::SampleGrfOptions options{.normalSprites = 200, .maxSide = 200};
  std::string bytes = sample::SampleGrf(options).bytes();
  bytes.resize(bytes.size() - 2);  // the terminator
  // Size 7: 65,535 bytes to yield, 4,095 back-references of 16 and one of 15.
  std::string wrapped = std::string(7, 'h');
  for (int i = 0; i < 4095; ++i) wrapped += "\x80\x01";
  GrfBuilder tail;
  tail.Record(7, 0x01, wrapped + "\x88\x01");
  sample::AddCompressedPixels(tail, sample::SamplePixels(100, 100, 3), 100);
  bytes += tail.bytes().substr(0, tail.size() - 40);
  ASSERT_GT(bytes.size(), 3 * GrfStream::kBufferSize);
  for (int level = 0; level <= static_cast<int>(BestChunkWalkLevel()); ++level) {
    UseChunkWalkLevel(static_cast<ChunkWalkLevel>(level));
    EXPECT_EQ(options.normalSprites + 1, Analyze(bytes).normalSprites)
        << ChunkWalkLevelName(static_cast<ChunkWalkLevel>(level));
  }
  UseChunkWalkLevel(BestChunkWalkLevel());
}

}  // namespace
}  // namespace kestrav
