// The builder is only worth its files if they follow the format: its compressor must make
// streams that decode back, and its chunks must yield what they claim.
#include "support/grf_builder.h"

#include <gtest/gtest.h>

namespace kestrav {
namespace {

using test::GrfChunk;

TEST(GrfBuilder, CompressedPixelsDecodeBackAndUseBothKindsOfChunk) {
  for (const auto& [width, height] : {std::pair{1, 1}, std::pair{8, 8}, std::pair{64, 31}, std::pair{255, 255}}) {
    const std::string pixels = test::SamplePixels(width, height, static_cast<std::uint32_t>(width));
    const std::string stream = test::CompressPixels(pixels);
    EXPECT_EQ(pixels, test::DecompressPixels(stream)) << width << "x" << height;
    if (width >= 64) {
      EXPECT_LT(stream.size(), pixels.size() / 2) << "a shape on a transparent ground compresses";
    }
  }
  const std::string noise = [] {
    std::string bytes;
    for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<char>((i * 7919) % 251));
    return bytes;
  }();
  EXPECT_EQ(noise, test::DecompressPixels(test::CompressPixels(noise)));
}

TEST(GrfBuilder, ChunkCodesFollowTheFormat) {
  EXPECT_EQ(std::string("\x00", 1), test::EncodeChunk(GrfChunk::Literal(128)).substr(0, 1));
  EXPECT_EQ(129u, test::EncodeChunk(GrfChunk::Literal(128)).size());
  EXPECT_EQ(std::string("\x80\x05", 2), test::EncodeChunk(GrfChunk::BackReference(16, 5)));
  EXPECT_EQ(std::string("\xF8\x01", 2), test::EncodeChunk(GrfChunk::BackReference(1, 1)));
  EXPECT_EQ(std::string("\xF7\xFF", 2), test::EncodeChunk(GrfChunk::BackReference(2, 2047)));
  EXPECT_THROW(test::EncodeChunk(GrfChunk::Literal(129)), std::invalid_argument);
  EXPECT_THROW(test::EncodeChunk(GrfChunk::BackReference(17)), std::invalid_argument);
  EXPECT_THROW(test::GrfBuilder().Stored(65535 - 7), std::invalid_argument);
}

TEST(GrfBuilder, SampleFilesHoldWhatTheyDescribe) {
  test::SampleGrfOptions options;
  options.normalSprites = 30;
  options.pseudoSprites = 9;
  const test::GrfBuilder grf = test::SampleGrf(options);
  EXPECT_EQ(30, grf.normalSprites());
  EXPECT_EQ(10, grf.pseudoSprites());  // and the Action 8 record
  EXPECT_EQ(std::string("\0\0", 2), grf.bytes().substr(grf.size() - 2));
  EXPECT_EQ(grf.bytes(), test::SampleGrf(options).bytes()) << "the same options make the same file";
}

}  // namespace
}  // namespace kestrav
