#pragma once
// A registry held in memory: the settings of the console companion (which never touches
// the real registry) and of native tests.
#include <map>
#include <string>

#include "platform/registry.h"

namespace kestrav {

class MemoryRegistry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenCurrentUser(const std::string& path, bool create) override;

  // Direct access for tests: stores any type and data, as a user could with regedit.
  void Put(const std::string& path, const std::string& name, RegistryValue value);
  std::optional<RegistryValue> Get(const std::string& path, const std::string& name) const;
  bool KeyExists(const std::string& path) const;
  // When set, every write fails, as on a key without write access.
  bool failWrites = false;

 private:
  friend class MemoryRegistryKey;
  using Values = std::map<std::string, RegistryValue>;
  std::map<std::string, Values> keys_;  // key path, letter case folded -> values
};

}  // namespace kestrav
