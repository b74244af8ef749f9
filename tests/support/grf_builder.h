#pragma once
// GRF files made byte by byte from a short description, following the container's rules:
// tests, fuzz seeds, benchmarks and the sample installation need no GRF file from outside.
// Depends on the standard library alone, so any program of the tree can use it.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrav::test {

class GrfBuilder {
 public:
  // A pseudo sprite: size = the data's length, info byte 0xFF.
  GrfBuilder& Pseudo(const std::string& data);
  // 0x08, version, the four ID bytes in file order, info and description each with its 0x00.
  GrfBuilder& Action8(std::uint8_t version, const std::string& id, const std::string& info,
                      const std::string& description);
  // A normal sprite stored uncompressed (info 0x03): size = 1 + 7 header bytes + pixels.
  GrfBuilder& Stored(std::size_t pixels);
  // Any record: the size field, the info byte and then exactly the bytes given.
  GrfBuilder& Record(std::uint16_t size, std::uint8_t info, const std::string& afterInfo);
  GrfBuilder& Raw(const std::string& bytes);
  // The size 0 that ends the file.
  GrfBuilder& Terminator();

  const std::string& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }

 private:
  void Header(std::size_t size, std::uint8_t info);
  std::string bytes_;
};

}  // namespace kestrav::test
