#include "grf/grf_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/system_platform.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {

void PrintTo(const GrfAction8& record, std::ostream* out) {
  *out << "{" << static_cast<int>(record.version) << ", \"" << record.grfId << "\", \"" << record.info << "\", \""
       << record.description << "\"}";
}

namespace {

using test::GrfBuilder;
using test::GrfChunk;
using namespace std::string_literals;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

// Every analysis goes through a real file on disk and the system's file system.
class GrfReader : public ::testing::Test {
 protected:
  GrfInfo Analyze(const std::string& bytes) {
    return AnalyzeGrf(*system.files, dir.Write("newgrf/file" + std::to_string(files++) + ".grf", bytes));
  }
  GrfInfo Analyze(const GrfBuilder& grf) { return Analyze(grf.bytes()); }

  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  int files = 0;
};

void ExpectCounts(const GrfInfo& info, int normal, int pseudo, const std::string& what) {
  EXPECT_TRUE(info.opened) << what;
  EXPECT_EQ(normal, info.normalSprites) << what;
  EXPECT_EQ(pseudo, info.pseudoSprites) << what;
  EXPECT_EQ(normal + pseudo, info.totalSprites) << what;
}

TEST_F(GrfReader, CompressedWalkStopsExactlyWhenTheChunksYieldTheSize) {
  // Code bytes with what they yield; the record after them shows whether the walk stopped
  // on the right byte.
  const std::pair<std::string, int> cases[] = {
      {Bytes({0x00}) + std::string(128, '\xFF') + Bytes({0x80, 0x00}), 128 + 16},
      {Bytes({0xFF, 0xFF}), 1},
      {Bytes({0xF8, 0x00}), 1},
      {Bytes({0xF7, 0x00}), 2},
      {Bytes({0x87, 0xFF}), 16},
      {Bytes({0x01, 0x00, 0x7F}) + std::string(127, '\x00'), 128},
  };
  for (const auto& [chunks, yield] : cases) {
    GrfBuilder grf;
    grf.Record(static_cast<std::uint16_t>(8 + yield), 0x00, std::string(7, '\x11') + chunks);
    const GrfInfo info = Analyze(grf.Action8(1, "ABCD", "after", "").Terminator());
    ExpectCounts(info, 1, 1, "yield " + std::to_string(yield));
    ASSERT_EQ(1u, info.action8.size());
    EXPECT_EQ("after", info.action8[0].info);
  }
}

TEST_F(GrfReader, RemainingCountWrapsUntilItComesBackToZero) {
  // Size 7 starts the count at 65,535 = 511 runs of 128 and one of 127.
  std::vector<GrfChunk> wrapAround(511, GrfChunk::Literal(128));
  wrapAround.push_back(GrfChunk::Literal(127));
  ExpectCounts(Analyze(GrfBuilder().Compressed(wrapAround, 7).Pseudo("next").Terminator()), 1, 1, "size 7");
  // A run longer than what remains: 10 - 20 wraps to 65,526 = 511 * 128 + 118.
  std::vector<GrfChunk> overshoot{GrfChunk::Literal(20)};
  overshoot.insert(overshoot.end(), 511, GrfChunk::Literal(128));
  overshoot.push_back(GrfChunk::Literal(118));
  ExpectCounts(Analyze(GrfBuilder().Compressed(overshoot, 8 + 10).Pseudo("next").Terminator()), 1, 1, "overshoot");
  // When the count never comes back before the end of the file, the sprite is cut short.
  GrfBuilder neverZero;
  neverZero.Pseudo("first").Compressed({GrfChunk::Literal(5), GrfChunk::BackReference(2)}, 3);
  ExpectCounts(Analyze(neverZero.Pseudo("swallowed by the walk").Terminator()), 0, 1, "never back to 0");
}

TEST_F(GrfReader, SizeFieldsBeyondTheFileEndTheWalk) {
  const std::pair<const char*, std::string> cases[] = {
      {"pseudo sprite of 65,535 bytes", Bytes({0xFF, 0xFF, 0xFF}) + "only a few bytes"},
      {"stored sprite of 65,535 bytes", Bytes({0xFF, 0xFF, 0x02}) + std::string(20000, 'x')},
      {"compressed sprite of 65,535 bytes",
       Bytes({0xFF, 0xFF, 0x00}) + std::string(7, 'h') + Bytes({0x00}) + std::string(128, 'l')},
      {"literal run past the end", Bytes({0x10, 0x00, 0x00}) + std::string(7, 'h') + Bytes({0x7F, 1, 2, 3})},
      {"back-reference without its second byte", Bytes({0x09, 0x00, 0x00}) + std::string(7, 'h') + Bytes({0xF8})},
  };
  for (const auto& [what, tail] : cases) {
    ExpectCounts(Analyze(GrfBuilder().Pseudo("\x01").Stored(10).Raw(tail)), 1, 1, what);
  }
  // The largest records that fit are read whole.
  GrfBuilder grf;
  grf.Pseudo(Bytes({0x08, 0x02}) + "WXYZ" + std::string(65535 - 7, 'i') + Bytes({0})).Stored(65535 - 8);
  const GrfInfo info = Analyze(grf.Terminator());
  ExpectCounts(info, 1, 1, "largest records");
  ASSERT_EQ(1u, info.action8.size());
  EXPECT_EQ(65535u - 7, info.action8[0].info.size());
}

TEST_F(GrfReader, EveryCutCountsTheRecordsThatAreWhole) {
  // One record of each kind, cut after every byte: a record counts once all of it is there;
  // without the terminator the file is walked to its end, and nothing after it counts.
  GrfBuilder grf;
  std::vector<std::size_t> ends;
  const auto add = [&](GrfBuilder& built) { ends.push_back(built.size()); };
  add(grf.Action8(3, "\x12\xAB\x00\xFF"s, "info", "description"));
  add(grf.Stored(5));
  add(grf.Compressed({GrfChunk::Literal(3), GrfChunk::BackReference(4, 2), GrfChunk::Literal(128)}));
  add(grf.Pseudo("\x07\x01"));
  add(grf.CompressedPixels(test::SamplePixels(12, 9, 7), 12));
  add(grf.Record(1, 0x02, ""));    // a stored sprite of nothing after its info byte
  add(grf.Record(4, 0xFE, "abc"));  // 0xFE is a normal sprite
  add(grf.Compressed({}));
  const std::string whole = grf.Terminator().Action8(7, "ABCD", "after", "the end").Stored(3).bytes();
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    const GrfInfo info = Analyze(whole.substr(0, cut));
    EXPECT_TRUE(info.opened);
    EXPECT_EQ(std::count_if(ends.begin(), ends.end(), [&](std::size_t end) { return end <= cut; }), info.totalSprites)
        << "cut after " << cut;
    EXPECT_EQ(cut >= ends[0] ? 1u : 0u, info.action8.size()) << "cut after " << cut;
    EXPECT_EQ((cut >= ends[0] ? 1 : 0) + (cut >= ends[3] ? 1 : 0), info.pseudoSprites) << "cut after " << cut;
  }
}

TEST_F(GrfReader, DecodesEveryActionEightRecordInFileOrder) {
  GrfBuilder grf;
  grf.Action8(0x07, "\x12\xAB\x00\xFF"s, "First \xE9\x01\\text", "Its description").Stored(4).Pseudo("\x01\x08");
  grf.Action8(0x80, "\x00\x00\x00\x01"s, "", "").Compressed({GrfChunk::Literal(4)});
  const GrfInfo info = Analyze(grf.Action8(0xFF, "\xFE\xDC\xBA\x98", "Third", "").Terminator());
  ExpectCounts(info, 2, 4, "three Action 8 records");
  EXPECT_EQ((std::vector<GrfAction8>{{7, "12AB00FF", "First \xE9\x01\\text", "Its description"},
                                     {-128, "00000001", "", ""},
                                     {-1, "FEDCBA98", "Third", ""}}),
            info.action8);
}

TEST_F(GrfReader, ShortActionEightRecordsReadAsIfZerosFollowed) {
  const std::string head = Bytes({0x08, 0x01, 1, 2, 3, 4});
  const std::pair<std::string, GrfAction8> cases[] = {
      {Bytes({0x08}), {0, "00000000", "", ""}},
      {Bytes({0x08, 0x05}), {5, "00000000", "", ""}},
      {Bytes({0x08, 0x05, 0x12, 0xAB}), {5, "12AB0000", "", ""}},
      {Bytes({0x08, 0xF0, 1, 2, 3, 4}), {-16, "01020304", "", ""}},
      {head + "no end", {1, "01020304", "no end", ""}},
      {head + "info\0desc"s, {1, "01020304", "info", "desc"}},
      {head + "\0\0extra\0"s, {1, "01020304", "", ""}},
  };
  for (const auto& [data, expected] : cases) {
    GrfBuilder grf;
    // A longer record before it fills the buffer: its bytes must not leak into the short one.
    grf.Pseudo("\x01" + std::string(300, 'Z')).Pseudo(data).Pseudo(Bytes({0x08, 0x09}) + "NEXTn\0d\0"s);
    const GrfInfo info = Analyze(grf.Terminator());
    ASSERT_EQ(2u, info.action8.size()) << data.size();
    EXPECT_EQ(expected, info.action8[0]) << data.size();
    EXPECT_EQ((GrfAction8{9, "4E455854", "n", "d"}), info.action8[1]);
  }
}

// Hands out a file piece by piece, as a port may, and counts what the walk asks of it.
class TricklingFile : public InputFile {
 public:
  TricklingFile(std::string bytes, std::size_t piece) : bytes_(std::move(bytes)), piece_(piece) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    ++reads;
    const std::size_t count = std::min({size, piece_, bytes_.size() - std::min(at_, bytes_.size())});
    if (count) std::memcpy(buffer, bytes_.data() + at_, count);
    at_ += count;
    bytesRead += count;
    return count;
  }
  bool Seek(std::uint64_t offset) override {
    ++seeks;
    at_ = static_cast<std::size_t>(offset);
    return true;
  }
  std::uint64_t Size() override { return bytes_.size(); }
  int reads = 0, seeks = 0;
  std::size_t bytesRead = 0;

 private:
  std::string bytes_;
  std::size_t piece_, at_ = 0;
};

TEST_F(GrfReader, LargeFilesAndShortReadsGiveTheSameRecordsAndTheEndIsFinal) {
  // Big stored sprites (passed over by jumps), compressed sprites that straddle the reading
  // buffer and pseudo sprites in between; no terminator: the walk ends at the end of the file.
  test::SampleGrfOptions options;
  options.normalSprites = 120;
  options.pseudoSprites = 60;
  options.storedPercent = 50;
  options.minSide = 20;
  options.maxSide = 255;
  GrfBuilder grf = test::SampleGrf(options);
  grf.DropLast(2).Stored(65527).Action8(0x42, "\x01\x02\x03\x04", "end", "of file");
  const GrfInfo info = Analyze(grf);
  ExpectCounts(info, grf.normalSprites(), grf.pseudoSprites(), "from disk");
  ASSERT_EQ(2u, info.action8.size());
  EXPECT_EQ(options.info, info.action8[0].info);
  EXPECT_EQ("of file", info.action8[1].description);
  for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{1000}, std::size_t{1} << 20}) {
    TricklingFile file(grf.bytes(), piece);
    GrfStream stream(file);
    SpriteRecordBuffer buffer;
    int normal = 0, pseudo = 0;
    for (SpriteRecordKind kind; (kind = ReadSpriteRecord(stream, buffer)) != SpriteRecordKind::End;) {
      ++(kind == SpriteRecordKind::Pseudo ? pseudo : normal);
    }
    EXPECT_EQ(grf.normalSprites(), normal) << piece;
    EXPECT_EQ(grf.pseudoSprites(), pseudo) << piece;
    const int reads = file.reads;
    for (int again = 0; again < 100; ++again) EXPECT_EQ(SpriteRecordKind::End, ReadSpriteRecord(stream, buffer));
    EXPECT_EQ(reads, file.reads) << "the walk kept reading at the end of the file";
  }
}

TEST(GrfRecordWalk, PseudoDataStartsTheBufferAndLargeStoredSpritesAreJumped) {
  GrfBuilder grf;
  grf.Stored(60000).Pseudo("\x0A\x0B\x0C");
  for (int i = 0; i < 30; ++i) grf.Stored(65527);
  TricklingFile file(grf.Pseudo("\x05").Terminator().bytes(), std::size_t{1} << 20);
  GrfStream stream(file);
  SpriteRecordBuffer buffer;
  const auto next = [&] {
    const SpriteRecordKind kind = ReadSpriteRecord(stream, buffer);
    return kind == SpriteRecordKind::Pseudo ? std::string(reinterpret_cast<const char*>(buffer.data()), buffer.size())
                                            : kind == SpriteRecordKind::Normal ? "(normal)" : "(end)";
  };
  EXPECT_EQ("(normal)", next());
  EXPECT_EQ("\x0A\x0B\x0C", next());
  for (int i = 0; i < 30; ++i) EXPECT_EQ("(normal)", next()) << i;
  EXPECT_EQ("\x05", next());
  EXPECT_EQ("(end)", next());
  EXPECT_GE(file.seeks, 1);
  EXPECT_LT(file.bytesRead, grf.size() / 2) << "stored sprites beyond the buffer are jumped, not read";
}

}  // namespace
}  // namespace kestrav
