#include "platform/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace kestrav {
namespace {

// Registry key and value names ignore letter case.
std::string Fold(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

class MemoryRegistryKey : public RegistryKey {
 public:
  MemoryRegistryKey(MemoryRegistry& owner, std::string path) : owner_(owner), path_(std::move(path)) {}

  std::optional<RegistryValue> Query(const std::string& name) override {
    return owner_.Get(path_, name);
  }
  bool SetString(const std::string& name, const std::string& text) override {
    return Store(name, RegistryValue{kRegSz, text + '\0'});
  }
  bool SetDword(const std::string& name, std::uint32_t value) override {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return Store(name, RegistryValue{kRegDword, bytes});
  }

 private:
  bool Store(const std::string& name, RegistryValue value) {
    if (owner_.failWrites) return false;
    owner_.Put(path_, name, std::move(value));
    return true;
  }
  MemoryRegistry& owner_;
  std::string path_;
};

std::unique_ptr<RegistryKey> MemoryRegistry::OpenCurrentUser(const std::string& path, bool create) {
  if (!KeyExists(path)) {
    if (!create) return nullptr;
    keys_[Fold(path)];
  }
  return std::make_unique<MemoryRegistryKey>(*this, path);
}

void MemoryRegistry::Put(const std::string& path, const std::string& name, RegistryValue value) {
  keys_[Fold(path)][Fold(name)] = std::move(value);
}

std::optional<RegistryValue> MemoryRegistry::Get(const std::string& path, const std::string& name) const {
  const auto key = keys_.find(Fold(path));
  if (key == keys_.end()) return std::nullopt;
  const auto value = key->second.find(Fold(name));
  if (value == key->second.end()) return std::nullopt;
  return value->second;
}

bool MemoryRegistry::KeyExists(const std::string& path) const { return keys_.count(Fold(path)) != 0; }

}  // namespace kestrav
