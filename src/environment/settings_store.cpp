#include "environment/settings_store.h"

#include "platform/operation_error.h"

namespace kestrav {
namespace {

[[noreturn]] void Fail(const char* pattern, const std::string& name) {
  throw OperationError(FillPattern(pattern, "'" + name + "'"));
}

}  // namespace

bool SettingsStore::Open(bool create) {
  key_ = registry_.OpenCurrentUser(keyPath_, create);
  return key_ != nullptr;
}

bool SettingsStore::ValueExists(const std::string& name) { return key_ && key_->Query(name).has_value(); }

std::string SettingsStore::ReadString(const std::string& name) {
  if (!key_) return {};
  const auto value = key_->Query(name);
  if (!value) return {};
  if (value->type != kRegSz && value->type != kRegExpandSz) Fail("Invalid data type for %s", name);
  // The text ends at its first NUL, whether or not one was stored.
  return value->data.substr(0, value->data.find('\0'));
}

std::int32_t SettingsStore::ReadInteger(const std::string& name) {
  const auto value = key_ ? key_->Query(name) : std::nullopt;
  if (!value || value->data.size() > 4) Fail("Failed to get data for %s", name);
  if (value->type != kRegDword) Fail("Invalid data type for %s", name);
  // A value shorter than four bytes (stored by hand) reads as if padded with zeros.
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < value->data.size(); ++i) {
    number |= static_cast<std::uint32_t>(static_cast<unsigned char>(value->data[i])) << (8 * i);
  }
  return static_cast<std::int32_t>(number);
}

void SettingsStore::WriteString(const std::string& name, const std::string& text) {
  if (!key_ || !key_->SetString(name, text)) Fail("Failed to set data for %s", name);
}

void SettingsStore::WriteInteger(const std::string& name, std::int32_t value) {
  if (!key_ || !key_->SetDword(name, static_cast<std::uint32_t>(value))) Fail("Failed to set data for %s", name);
}

std::string ReadTtdPath(Registry& registry, bool create) {
  SettingsStore settings(registry);
  settings.Open(create);
  return settings.ReadString(setting::kTtdPath);
}

}  // namespace kestrav
