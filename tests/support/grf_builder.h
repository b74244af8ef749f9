#pragma once
// GRF files made byte by byte from a short description, following the container's rules:
// tests, fuzz seeds, benchmarks and the sample installation need no GRF file from outside.
// Depends on the standard library alone, so any program of the tree can use it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrav::test {

// One chunk of a compressed sprite's stream, as the walk sees it.
struct GrfChunk {
  bool literal = true;
  int length = 1;    // a literal run: 1 to 128 data bytes; a back-reference: 1 to 16
  int distance = 1;  // a back-reference: 1 to 2047 bytes back

  static GrfChunk Literal(int length) { return {true, length, 0}; }
  static GrfChunk BackReference(int length, int distance = 1) { return {false, length, distance}; }
};

// The code byte (and for a back-reference the byte after it) of one chunk, followed by a
// literal run's data bytes.
std::string EncodeChunk(const GrfChunk& chunk);

// A real compressed stream of pixels: literal runs and back-references found by greedy
// matching within the last 2047 bytes.
std::string CompressPixels(const std::string& pixels);
// The pixels a compressed stream stands for; throws std::invalid_argument when the stream
// is not well formed.
std::string DecompressPixels(const std::string& stream);

class GrfBuilder {
 public:
  // A pseudo sprite: size = the data's length, info byte 0xFF.
  GrfBuilder& Pseudo(const std::string& data);
  // An Action 8 pseudo sprite: 0x08, version, the four ID bytes in file order, the info and
  // description texts each with its 0x00.
  GrfBuilder& Action8(std::uint8_t version, const std::string& id, const std::string& info,
                      const std::string& description);
  // A normal sprite stored uncompressed: info byte (bit 1 set), 7 header bytes and pixel
  // bytes; size counts the info byte and everything after it.
  GrfBuilder& Stored(std::size_t pixels, std::uint8_t info = 0x03);
  // A compressed normal sprite made of exactly these chunks; its size is 8 plus what they
  // yield, or the given size (to make the remaining count wrap or fall short).
  GrfBuilder& Compressed(const std::vector<GrfChunk>& chunks, std::uint8_t info = 0x01);
  GrfBuilder& CompressedWithSize(std::uint16_t size, const std::vector<GrfChunk>& chunks, std::uint8_t info = 0x01);
  // A compressed normal sprite of real pixels, width pixels to a row.
  GrfBuilder& CompressedPixels(const std::string& pixels, int width, std::uint8_t info = 0x01);
  // Any record: the size field, the info byte and then exactly the bytes given.
  GrfBuilder& Record(std::uint16_t size, std::uint8_t info, const std::string& afterInfo);
  // Bytes as they are, e.g. half a size field.
  GrfBuilder& Raw(const std::string& bytes);
  // The size 0 that ends the file.
  GrfBuilder& Terminator();
  // Cuts the file short by count bytes (the sprite counts stay as they were described).
  GrfBuilder& DropLast(std::size_t count);

  const std::string& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }
  // The records added whole through the calls above.
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
  int minPseudoBytes = 4, maxPseudoBytes = 60;
  bool action8 = true;
  std::uint8_t version = 7;
  std::string grfId = std::string("KS\x01\x02", 4);
  std::string info = "Sample graphics set";
  std::string description = "Made-up sprites for trying Kestrav out";
};

// A whole GRF file as a graphics set looks: the Action 8 record first, pseudo sprites
// spread among compressed and stored normal sprites, and the terminator.
GrfBuilder SampleGrf(const SampleGrfOptions& options);
// Writes SampleGrf(options) to path ("\\" or "/" separators), creating its directories
// and replacing any file there; throws std::runtime_error when it cannot.
void WriteSampleGrf(const std::string& path, const SampleGrfOptions& options);

}  // namespace kestrav::test
