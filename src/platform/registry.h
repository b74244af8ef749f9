#pragma once
// Registry port: one key under HKEY_CURRENT_USER, its values as raw typed data. The
// reading conventions and the error texts are the settings store's, not the adapter's.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kestrav {

// The registry's own type codes, so odd values stored by hand are seen as they are.
enum RegistryType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
  kRegQword = 11,
};

struct RegistryValue {
  std::uint32_t type = kRegNone;
  std::string data;  // the raw bytes; a string keeps its terminating NUL if stored with one
};

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;  // closes the key
  virtual std::optional<RegistryValue> Query(const std::string& name) = 0;
  // Stores text as REG_SZ (with its terminating NUL); false on failure.
  virtual bool SetString(const std::string& name, const std::string& text) = 0;
  virtual bool SetDword(const std::string& name, std::uint32_t value) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens HKEY_CURRENT_USER\path with full access; with create, the key and any missing
  // parent keys are created. Nothing when it can be neither opened nor created.
  virtual std::unique_ptr<RegistryKey> OpenCurrentUser(const std::string& path, bool create) = 0;
};

}  // namespace kestrav
