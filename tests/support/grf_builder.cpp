#include "support/grf_builder.h"

#include <algorithm>
#include <stdexcept>

namespace kestrav::test {
namespace {

constexpr std::size_t kMaxSize = 0xFFFF;

void Require(bool condition, const char* what) {
  if (!condition) throw std::invalid_argument(what);
}

// Little-endian, byte by byte.
void Put(std::string& out, unsigned value, int bytes = 1) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Bytes that look like anything: a walk must never take them for structure.
std::string Filler(std::size_t count) {
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 37 + count * 11 + 0xF3) & 0xFF);
  return bytes;
}

}  // namespace

void GrfBuilder::Header(std::size_t size, std::uint8_t info) {
  Require(size != 0 && size <= kMaxSize, "record size does not fit 16 bits");
  Put(bytes_, static_cast<unsigned>(size), 2);
  Put(bytes_, info);
}

GrfBuilder& GrfBuilder::Pseudo(const std::string& data) {
  Header(data.size(), 0xFF);
  return Raw(data);
}

GrfBuilder& GrfBuilder::Action8(std::uint8_t version, const std::string& id, const std::string& info,
                                const std::string& description) {
  Require(id.size() == 4, "a GRF ID has four bytes");
  return Pseudo(std::string("\x08", 1) + static_cast<char>(version) + id + info + '\0' + description + '\0');
}

GrfBuilder& GrfBuilder::Stored(std::size_t pixels) {
  Header(1 + 7 + pixels, 0x03);
  // Height 1, then width, x offset and y offset of two bytes each.
  const auto width = static_cast<unsigned>(std::min<std::size_t>(pixels, 0xFFFF));
  Put(bytes_, 1);
  for (unsigned value : {width, 0u - width / 2, 0u}) Put(bytes_, value, 2);
  return Raw(Filler(pixels));
}

GrfBuilder& GrfBuilder::Record(std::uint16_t size, std::uint8_t info, const std::string& afterInfo) {
  Header(size, info);
  return Raw(afterInfo);
}

GrfBuilder& GrfBuilder::Raw(const std::string& bytes) {
  bytes_ += bytes;
  return *this;
}

GrfBuilder& GrfBuilder::Terminator() {
  Put(bytes_, 0, 2);
  return *this;
}

}  // namespace kestrav::test
