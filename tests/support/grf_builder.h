#pragma once
// GRF files made byte by byte from a short description, following the container's rules:
// tests, fuzz seeds, benchmarks and the sample installation need no GRF file from outside.
// Depends on the standard library alone, so any program of the tree can use it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrav::test {

// One chunk of a compressed sprite's stream: a literal run of 1 to 128 data bytes, or a
// back-reference of 1 to 16 bytes from 1 to 2047 bytes back.
struct GrfChunk {
  bool literal = true;
  int length = 1;
  int distance = 1;

  static GrfChunk Literal(int length) { return {true, length, 0}; }
  static GrfChunk BackReference(int length, int distance = 1) { return {false, length, distance}; }
};

class GrfBuilder {
 public:
  // A pseudo sprite: size = the data's length, info byte 0xFF.
  GrfBuilder& Pseudo(const std::string& data);
  // 0x08, version, the four ID bytes in file order, info and description each with its 0x00.
  GrfBuilder& Action8(std::uint8_t version, const std::string& id, const std::string& info,
                      const std::string& description);
  // A normal sprite stored uncompressed (info bit 1 set): size = 1 + 7 header bytes + pixels.
  GrfBuilder& Stored(std::size_t pixels, std::uint8_t info = 0x03);
  // A compressed normal sprite of exactly these chunks; its size is 8 plus what they yield,
  // or the size given (to make the remaining count wrap or fall short).
  GrfBuilder& Compressed(const std::vector<GrfChunk>& chunks, int size = -1);
  // A compressed normal sprite of real pixels, width pixels to a row.
  GrfBuilder& CompressedPixels(const std::string& pixels, int width);
  // Any record: the size field, the info byte and then exactly the bytes given.
  GrfBuilder& Record(std::uint16_t size, std::uint8_t info, const std::string& afterInfo);
  GrfBuilder& Raw(const std::string& bytes);
  // The size 0 that ends the file.
  GrfBuilder& Terminator();
  // Cuts the file short by count bytes (the sprite counts stay as they were described).
  GrfBuilder& DropLast(std::size_t count);

  const std::string& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }
  // The records added through the calls above.
  int normalSprites() const { return normal_; }
  int pseudoSprites() const { return pseudo_; }

 private:
  void Header(std::size_t size, std::uint8_t info);
  std::string bytes_;
  int normal_ = 0;
  int pseudo_ = 0;
};

// The pixels of a made-up sprite: a shaded shape on a transparent (0) background, with
// some noise, so that it compresses as game graphics do.
std::string SamplePixels(int width, int height, std::uint32_t seed);

struct SampleGrfOptions {
  std::uint32_t seed = 1;
  int normalSprites = 40;
  int pseudoSprites = 12;  // besides the Action 8 record
  int storedPercent = 10;  // share of the normal sprites stored uncompressed
  int minSide = 8, maxSide = 64;  // width and height of a normal sprite
  std::string grfId = std::string("KS\x01\x02", 4);
  std::string info = "Sample graphics set";
  std::string description = "Made-up sprites for trying Kestrav out";
};

// A whole GRF file as a graphics set looks: the number of records that follow, the Action 8
// record (version 7), pseudo sprites spread among compressed and stored normal sprites, and
// the terminator.
GrfBuilder SampleGrf(const SampleGrfOptions& options);
// Writes SampleGrf(options) to path ("\\" or "/" separators), creating its directories
// and replacing any file there; throws std::runtime_error when it cannot.
void WriteSampleGrf(const std::string& path, const SampleGrfOptions& options);

}  // namespace kestrav::test
