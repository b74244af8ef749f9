#include "support/grf_builder.h"

#include <stdexcept>

namespace kestrav::test {

GrfBuilder& GrfBuilder::Record(std::uint16_t size, std::uint8_t info, const std::string& afterInfo) {
  if (size == 0) throw std::invalid_argument("a record of size 0 is the terminator");
  bytes_ += {static_cast<char>(size & 0xFF), static_cast<char>(size >> 8), static_cast<char>(info)};
  ++(info == 0xFF ? pseudo_ : normal_);
  bytes_ += afterInfo;
  return *this;
}

GrfBuilder& GrfBuilder::Pseudo(const std::string& data) {
  if (data.empty() || data.size() > 0xFFFF) throw std::invalid_argument("pseudo sprite size out of range");
  return Record(static_cast<std::uint16_t>(data.size()), 0xFF, data);
}

GrfBuilder& GrfBuilder::Action8(std::uint8_t version, const std::string& id, const std::string& info,
                                const std::string& description) {
  if (id.size() != 4) throw std::invalid_argument("a GRF ID has four bytes");
  return Pseudo(std::string("\x08", 1) + static_cast<char>(version) + id + info + '\0' + description + '\0');
}

GrfBuilder& GrfBuilder::Stored(std::size_t pixels, std::uint8_t info) {
  if ((info & 0x02) == 0 || info == 0xFF || pixels > 0xFFFF - 8) throw std::invalid_argument("no stored sprite");
  // The header (height 1, width, two offsets), then pixels of any value.
  std::string data = {1, static_cast<char>(pixels & 0xFF), static_cast<char>((pixels >> 8) & 0xFF), 0, 0, 0, 0};
  for (std::size_t i = 0; i < pixels; ++i) data += static_cast<char>((i * 37 + 0xF3) & 0xFF);
  return Record(static_cast<std::uint16_t>(1 + data.size()), info, data);
}

GrfBuilder& GrfBuilder::Terminator() {
  bytes_.append(2, '\0');
  return *this;
}

}  // namespace kestrav::test
