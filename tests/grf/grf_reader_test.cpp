#include "grf/grf_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/system_platform.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::GrfBuilder;
using test::GrfChunk;
using namespace std::string_literals;

}  // namespace

void PrintTo(const GrfLogView& view, std::ostream* out) {
  *out << "{\"" << view.versionText << "\", \"" << view.idText << "\", \"" << view.infoText << "\", \""
       << view.descriptionText << "\", " << view.totalSprites << ", " << view.pseudoSprites << "}";
}

void PrintTo(const GrfAction8& record, std::ostream* out) {
  *out << "{" << static_cast<int>(record.version) << ", \"" << record.grfId << "\", \"" << record.info << "\", \""
       << record.description << "\"}";
}

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

// Every analysis goes through a real file on disk and the system's file system.
class GrfReader : public ::testing::Test {
 protected:
  GrfInfo Analyze(const std::string& bytes) {
    const std::string path = dir.Write("newgrf/file" + std::to_string(files++) + ".grf", bytes);
    return AnalyzeGrf(*system.files, path);
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

TEST_F(GrfReader, EmptyFileAndTerminatorFirstHaveNoSprites) {
  for (const std::string& bytes : {std::string(), Bytes({0, 0}), Bytes({0}),
                                   Bytes({0, 0}) + GrfBuilder().Action8(7, "ABCD", "i", "d").Pseudo("x").bytes()}) {
    const GrfInfo info = Analyze(bytes);
    ExpectCounts(info, 0, 0, "file of " + std::to_string(bytes.size()) + " bytes");
    EXPECT_TRUE(info.action8.empty());
  }
}

TEST_F(GrfReader, CountsPseudoAndNormalSpritesOfEveryKind) {
  struct Case {
    const char* what;
    GrfBuilder grf;
  };
  const std::vector<Case> cases = {
      {"pseudo sprites only", GrfBuilder().Pseudo("\x01\x02").Pseudo("\x09").Pseudo(std::string(300, '\x09'))},
      {"stored sprites, size 1 has nothing after its info byte",
       GrfBuilder().Record(1, 0x02, "").Stored(0).Stored(70000 / 2, 0xFE).Record(1, 0x07, "")},
      {"info 0xFE is a normal sprite", GrfBuilder().Record(4, 0xFE, "abc").Pseudo("z")},
      {"compressed sprite of no pixels", GrfBuilder().Compressed({}).Pseudo("a")},
      {"compressed sprites of any length count once",
       GrfBuilder()
           .Compressed({GrfChunk::Literal(1)})
           .Compressed(std::vector<GrfChunk>(400, GrfChunk::Literal(128)))
           .Compressed(std::vector<GrfChunk>(2000, GrfChunk::BackReference(16, 5)))
           .Pseudo("p")},
      {"real pixels", GrfBuilder()
                          .CompressedPixels(test::SamplePixels(64, 64, 3), 64)
                          .Pseudo("\x00\x01"s)
                          .CompressedPixels(test::SamplePixels(255, 200, 4), 255)
                          .Stored(300)},
  };
  for (const auto& c : cases) {
    GrfBuilder grf = c.grf;
    ExpectCounts(Analyze(grf.Terminator()), grf.normalSprites(), grf.pseudoSprites(), c.what);
  }
}

TEST_F(GrfReader, CompressedWalkStopsExactlyWhenTheChunksYieldTheSize) {
  const std::string header(7, '\x11');
  // Code bytes with what each yields; the sprite after them shows whether the walk
  // stopped on the right byte.
  struct Case {
    std::string chunks;
    int yield;
  };
  const std::vector<Case> cases = {
      {Bytes({0x00}) + std::string(128, '\xFF') + Bytes({0x80, 0x00}), 128 + 16},
      {Bytes({0xFF, 0xFF}), 1},
      {Bytes({0xF8, 0x00}), 1},
      {Bytes({0xF7, 0x00}), 2},
      {Bytes({0x87, 0xFF}), 16},
      {Bytes({0x01, 0x00, 0x7F}) + std::string(127, '\x00'), 128},
  };
  for (const auto& c : cases) {
    const auto size = static_cast<std::uint16_t>(8 + c.yield);
    GrfBuilder grf;
    grf.Record(size, 0x00, header + c.chunks).Action8(1, "ABCD", "after", "").Terminator();
    const GrfInfo info = Analyze(grf);
    ExpectCounts(info, 1, 1, "size " + std::to_string(size));
    ASSERT_EQ(1u, info.action8.size());
    EXPECT_EQ("after", info.action8[0].info);
  }
}

TEST_F(GrfReader, RemainingCountWrapsUntilItComesBackToZero) {
  // 65,535 = 511 runs of 128 and one of 127.
  std::vector<GrfChunk> wrapAround(511, GrfChunk::Literal(128));
  wrapAround.push_back(GrfChunk::Literal(127));
  GrfBuilder belowEight;
  belowEight.CompressedWithSize(7, wrapAround).Pseudo("next").Terminator();
  ExpectCounts(Analyze(belowEight), 1, 1, "size 7 starts the count at 65,535");

  // A run longer than what remains: 10 - 20 wraps to 65,526 = 511 * 128 + 118.
  std::vector<GrfChunk> overshoot{GrfChunk::Literal(20)};
  overshoot.insert(overshoot.end(), 511, GrfChunk::Literal(128));
  overshoot.push_back(GrfChunk::Literal(118));
  GrfBuilder longRun;
  longRun.CompressedWithSize(8 + 10, overshoot).Pseudo("next").Terminator();
  ExpectCounts(Analyze(longRun), 1, 1, "a run longer than what remains");

  // When the count never comes back before the end of the file, the sprite is cut short.
  GrfBuilder neverZero;
  neverZero.Pseudo("first").CompressedWithSize(3, {GrfChunk::Literal(5), GrfChunk::BackReference(2)});
  neverZero.Pseudo("swallowed by the walk").Terminator();
  ExpectCounts(Analyze(neverZero), 0, 1, "count that never returns to 0");
}

TEST_F(GrfReader, SizeFieldsBeyondTheFileEndTheWalk) {
  struct Case {
    const char* what;
    std::string tail;
  };
  const std::vector<Case> cases = {
      {"pseudo sprite of 65,535 bytes", Bytes({0xFF, 0xFF, 0xFF}) + "only a few bytes"},
      {"stored sprite of 65,535 bytes", Bytes({0xFF, 0xFF, 0x02}) + std::string(20000, 'x')},
      {"stored sprite far past the end", Bytes({0xFF, 0xFF, 0x03})},
      {"compressed sprite of 65,535 bytes", Bytes({0xFF, 0xFF, 0x00}) + std::string(7, 'h') + Bytes({0x00}) +
                                                std::string(128, 'l')},
      {"literal run past the end", Bytes({0x10, 0x00, 0x00}) + std::string(7, 'h') + Bytes({0x7F, 1, 2, 3})},
      {"back-reference without its second byte", Bytes({0x09, 0x00, 0x00}) + std::string(7, 'h') + Bytes({0xF8})},
      {"compressed header cut short", Bytes({0x09, 0x00, 0x00, 1, 2, 3})},
      {"size without its info byte", Bytes({0x05, 0x00})},
      {"half a size field", Bytes({0x05})},
  };
  for (const auto& c : cases) {
    GrfBuilder grf;
    grf.Pseudo("\x01").Stored(10).Raw(c.tail);
    ExpectCounts(Analyze(grf), 1, 1, c.what);
  }
  // The largest record that fits is read whole.
  std::string largest = Bytes({0x08, 0x02}) + "WXYZ" + std::string(65535 - 7, 'i') + Bytes({0});
  GrfBuilder grf;
  grf.Pseudo(largest).Stored(65535 - 8).Terminator();
  const GrfInfo info = Analyze(grf);
  ExpectCounts(info, 1, 1, "largest records");
  ASSERT_EQ(1u, info.action8.size());
  EXPECT_EQ(65535u - 7, info.action8[0].info.size());
}

TEST_F(GrfReader, EveryCutCountsTheRecordsThatAreWhole) {
  // A file of one record of each kind, cut after every one of its bytes: a record counts
  // only once all of its bytes are there.
  GrfBuilder grf;
  std::vector<std::size_t> ends;
  const auto add = [&](GrfBuilder& built) { ends.push_back(built.size()); };
  add(grf.Action8(3, "\x12\xAB\x00\xFF"s, "info", "description"));
  add(grf.Stored(5));
  add(grf.Compressed({GrfChunk::Literal(3), GrfChunk::BackReference(4, 2), GrfChunk::Literal(128)}));
  add(grf.Pseudo("\x07\x01"));
  add(grf.CompressedPixels(test::SamplePixels(12, 9, 7), 12));
  add(grf.Record(1, 0x02, ""));
  grf.Terminator();
  const std::string whole = grf.bytes();
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    int expected = 0;
    for (std::size_t end : ends) expected += end <= cut ? 1 : 0;
    const GrfInfo info = Analyze(whole.substr(0, cut));
    EXPECT_EQ(expected, info.totalSprites) << "cut after " << cut << " bytes";
    EXPECT_EQ(cut >= ends[0] ? 1u : 0u, info.action8.size()) << "cut after " << cut << " bytes";
    EXPECT_EQ((cut >= ends[0] ? 1 : 0) + (cut >= ends[3] ? 1 : 0), info.pseudoSprites) << "cut after " << cut;
  }
}

TEST_F(GrfReader, FileWithoutTerminatorIsWalkedToItsEnd) {
  GrfBuilder grf;
  grf.Pseudo("\x02").Stored(3).Compressed({GrfChunk::Literal(9)}).Action8(1, "ABCD", "last", "");
  const GrfInfo info = Analyze(grf);
  ExpectCounts(info, 2, 2, "no terminator");
  ASSERT_EQ(1u, info.action8.size());
  EXPECT_EQ("last", info.action8[0].info);
}

TEST_F(GrfReader, LargeFilesAcrossBufferAndJumpBoundaries) {
  // Big stored sprites (passed over by jumps), compressed sprites that straddle the
  // reading buffer and pseudo sprites in between, with the Action 8 record last.
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    test::SampleGrfOptions options;
    options.seed = seed;
    options.normalSprites = 120;
    options.pseudoSprites = 60;
    options.storedPercent = 50;
    options.minSide = 20;
    options.maxSide = 255;
    GrfBuilder grf = test::SampleGrf(options);
    grf.DropLast(2).Stored(65527).Action8(0x42, "\x01\x02\x03\x04", "end", "of file").Terminator();
    const GrfInfo info = Analyze(grf);
    ExpectCounts(info, grf.normalSprites(), grf.pseudoSprites(), "seed " + std::to_string(seed));
    ASSERT_EQ(2u, info.action8.size());
    EXPECT_EQ(options.info, info.action8[0].info);
    EXPECT_EQ("of file", info.action8[1].description);
  }
}

TEST_F(GrfReader, DecodesEveryActionEightRecordInFileOrder) {
  GrfBuilder grf;
  grf.Action8(0x07, "\x12\xAB\x00\xFF"s, "First \xE9\x01\\text", "Its description")
      .Stored(4)
      .Pseudo("\x01\x08")
      .Action8(0x80, "\x00\x00\x00\x01"s, "", "")
      .Compressed({GrfChunk::Literal(4)})
      .Action8(0xFF, "\xFE\xDC\xBA\x98", "Third", "")
      .Terminator();
  const GrfInfo info = Analyze(grf);
  ExpectCounts(info, 2, 4, "three Action 8 records");
  ASSERT_EQ(3u, info.action8.size());
  EXPECT_EQ((GrfAction8{7, "12AB00FF", "First \xE9\x01\\text", "Its description"}), info.action8[0]);
  EXPECT_EQ((GrfAction8{-128, "00000001", "", ""}), info.action8[1]);
  EXPECT_EQ((GrfAction8{-1, "FEDCBA98", "Third", ""}), info.action8[2]);
}

TEST_F(GrfReader, LogViewShowsTheLastRecordOfTheFile) {
  struct Case {
    std::uint8_t version;
    std::string info, description;
    GrfLogView expected;
  };
  const std::vector<Case> cases = {
      {0x07, "Info", "Text", {"7", "C0FFEE01", "Info", "Text", 4, 2}},
      {0x80, "", "Text", {"-128", "C0FFEE01", " - no info found - ", "Text", 4, 2}},
      {0xFF, "Info", "", {"-1", "C0FFEE01", "Info", " - no description found - ", 4, 2}},
  };
  for (const auto& c : cases) {
    GrfBuilder grf;
    grf.Action8(0x01, "\x00\x00\x00\x00"s, "first", "first").Stored(2).Compressed({GrfChunk::Literal(3)});
    grf.Action8(c.version, "\xC0\xFF\xEE\x01"s, c.info, c.description).Terminator();
    EXPECT_EQ(c.expected, LogViewOf(Analyze(grf))) << static_cast<int>(c.version);
  }
  GrfBuilder none;
  none.Pseudo("\x01").Stored(1).Terminator();
  EXPECT_EQ((GrfLogView{"", "", " - no info found - ", " - no description found - ", 2, 1}), LogViewOf(Analyze(none)));
}

TEST_F(GrfReader, ShortActionEightRecordsReadAsIfZerosFollowed) {
  struct Case {
    std::string data;
    GrfAction8 expected;
  };
  const std::vector<Case> cases = {
      {Bytes({0x08}), {0, "00000000", "", ""}},
      {Bytes({0x08, 0x05}), {5, "00000000", "", ""}},
      {Bytes({0x08, 0x05, 0x12, 0xAB}), {5, "12AB0000", "", ""}},
      {Bytes({0x08, 0xF0, 1, 2, 3, 4}), {-16, "01020304", "", ""}},
      {Bytes({0x08, 0x01, 1, 2, 3, 4}) + "no end", {1, "01020304", "no end", ""}},
      {Bytes({0x08, 0x01, 1, 2, 3, 4}) + std::string("info\0desc", 9), {1, "01020304", "info", "desc"}},
      {Bytes({0x08, 0x01, 1, 2, 3, 4}) + std::string("\0\0extra\0", 8), {1, "01020304", "", ""}},
  };
  for (const auto& c : cases) {
    GrfBuilder grf;
    // A longer record before it fills the buffer: its bytes must not leak into the short one.
    grf.Pseudo("\x01" + std::string(300, 'Z')).Pseudo(c.data);
    grf.Pseudo(Bytes({0x08, 0x09}) + "NEXT" + std::string("n\0d\0", 4)).Terminator();
    const GrfInfo info = Analyze(grf);
    ASSERT_EQ(2u, info.action8.size()) << c.data.size();
    EXPECT_EQ(c.expected, info.action8[0]) << c.data.size();
    EXPECT_EQ((GrfAction8{9, "4E455854", "n", "d"}), info.action8[1]);
  }
}

TEST_F(GrfReader, FilesThatCannotBeOpenedGiveNothing) {
  dir.MakeDirectory("newgrf/folder.grf");
  for (const std::string& path : {dir.Join("newgrf/folder.grf"), dir.Join("newgrf/missing.grf"), dir.Join("nodir/x.grf")}) {
    const GrfInfo info = AnalyzeGrf(*system.files, path);
    EXPECT_FALSE(info.opened) << path;
    EXPECT_EQ(0, info.totalSprites);
    EXPECT_EQ(0, info.normalSprites);
    EXPECT_EQ(0, info.pseudoSprites);
    EXPECT_TRUE(info.action8.empty());
    EXPECT_EQ(GrfLogView{}, LogViewOf(info));
  }
}

TEST_F(GrfReader, ModifiedIsTheLastWriteTimeAtDosResolution) {
  const std::string path = dir.Write("newgrf/dated.grf", GrfBuilder().Stored(1).Terminator().bytes());
  std::tm local{};
  local.tm_year = 2004 - 1900;
  local.tm_mon = 4;
  local.tm_mday = 6;
  local.tm_hour = 7;
  local.tm_min = 8;
  local.tm_sec = 9;
  local.tm_isdst = -1;
  const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
  std::string native = path;
  for (char& c : native) {
    if (c == '\\' || c == '/') c = static_cast<char>(std::filesystem::path::preferred_separator);
  }
  std::filesystem::last_write_time(native, std::filesystem::file_time_type::clock::from_sys(when));
  const GrfInfo info = AnalyzeGrf(*system.files, path);
  EXPECT_EQ((DosDateTime{2004, 5, 6, 7, 8, 8}), info.modified);
}

// Reads through a file piece by piece, as a port may, and counts what the walk asks of it.
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
  std::size_t piece_;
  std::size_t at_ = 0;
};

TEST(GrfRecordWalk, ShortReadsGiveTheSameRecordsAndTheEndIsFinal) {
  test::SampleGrfOptions options;
  options.storedPercent = 40;
  options.maxSide = 200;
  GrfBuilder grf = test::SampleGrf(options);
  grf.DropLast(2);  // no terminator: the walk ends at the end of the file
  for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{1000}, std::size_t{1} << 20}) {
    TricklingFile file(grf.bytes(), piece);
    GrfStream stream(file);
    SpriteRecordBuffer buffer;
    int normal = 0, pseudo = 0;
    for (SpriteRecordKind kind; (kind = ReadSpriteRecord(stream, buffer)) != SpriteRecordKind::End;) {
      (kind == SpriteRecordKind::Pseudo ? pseudo : normal) += 1;
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
  grf.Pseudo("\x05").Terminator();
  TricklingFile file(grf.bytes(), std::size_t{1} << 20);
  GrfStream stream(file);
  SpriteRecordBuffer buffer;
  EXPECT_EQ(SpriteRecordKind::Normal, ReadSpriteRecord(stream, buffer));
  ASSERT_EQ(SpriteRecordKind::Pseudo, ReadSpriteRecord(stream, buffer));
  ASSERT_EQ(3u, buffer.size());
  EXPECT_EQ(0, std::memcmp(buffer.data(), "\x0A\x0B\x0C", 3));
  for (int i = 0; i < 30; ++i) EXPECT_EQ(SpriteRecordKind::Normal, ReadSpriteRecord(stream, buffer)) << i;
  ASSERT_EQ(SpriteRecordKind::Pseudo, ReadSpriteRecord(stream, buffer));
  EXPECT_EQ(1u, buffer.size());
  EXPECT_EQ(0x05, buffer.data()[0]);
  EXPECT_EQ(SpriteRecordKind::End, ReadSpriteRecord(stream, buffer));
  EXPECT_GE(file.seeks, 1);
  EXPECT_LT(file.bytesRead, grf.size() / 2) << "stored sprites beyond the buffer are jumped, not read";
}

}  // namespace
}  // namespace kestrav
