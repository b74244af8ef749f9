#pragma once
// The program's settings: values under one per-user registry key. An accessor is made for
// one action and discarded at its end, which closes the key; nothing is cached.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry.h"

namespace kestrav {

inline constexpr const char* kSettingsKeyPath = "Software\\Dravelin Technologies\\Kestrav";

namespace setting {
inline constexpr const char* kTtdPath = "TTD Path";
inline constexpr const char* kWidth = "Width";
inline constexpr const char* kHeight = "Height";
inline constexpr const char* kTop = "Top";
inline constexpr const char* kLeft = "Left";
inline constexpr const char* kRunType = "RunType";
inline constexpr const char* kSaveAndRun = "SaveAndRun";
inline constexpr const char* kDoubleClickAction = "DoubleClickAction";
inline constexpr const char* kNoOverwriteConfirmation = "NoOverwriteConfirmation";
inline constexpr const char* kLastDir = "LastDir";
inline constexpr const char* kOutputFormat = "OutputFormat";
}  // namespace setting

class SettingsStore {
 public:
  explicit SettingsStore(Registry& registry, std::string keyPath = kSettingsKeyPath)
      : registry_(registry), keyPath_(std::move(keyPath)) {}

  // Opens the key, creating it and its parents when create is set. Whether it opened is
  // returned, but an unopened store simply reads as empty: every value is absent.
  bool Open(bool create);

  bool ValueExists(const std::string& name);
  // The text of a string value; "" when absent. Throws OperationError
  // "Invalid data type for '%s'" for a value of another type.
  std::string ReadString(const std::string& name);
  // A 32-bit value read as signed. Throws OperationError "Failed to get data for '%s'"
  // when absent or too large for 32 bits, "Invalid data type for '%s'" when not a number.
  std::int32_t ReadInteger(const std::string& name);
  bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }
  // A stored boolean, false when absent.
  bool ReadFlag(const std::string& name) { return ValueExists(name) && ReadBool(name); }

  // Throw OperationError "Failed to set data for '%s'" when the value cannot be stored.
  void WriteString(const std::string& name, const std::string& text);
  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteBool(const std::string& name, bool flag) { WriteInteger(name, flag ? 1 : 0); }

 private:
  Registry& registry_;
  std::string keyPath_;
  std::unique_ptr<RegistryKey> key_;
};

// "TTD Path" on its own; the settings key is made first when create is set.
std::string ReadTtdPath(Registry& registry, bool create = false);

}  // namespace kestrav
