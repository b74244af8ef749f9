#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/win32_handles.h"

namespace kestrav {
namespace {

// Values larger than this are not settings of ours; they read as unreadable.
constexpr DWORD kLargestValue = 1 << 20;

class Win32RegistryKey : public RegistryKey {
 public:
  explicit Win32RegistryKey(win32::UniqueKey key) : key_(std::move(key)) {}

  std::optional<RegistryValue> Query(const std::string& name) override {
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    RegistryValue value;
    value.type = type;
    if (size > kLargestValue) {
      value.data.assign(kLargestValue + 1, '\0');  // too large for any reading: the reader rejects it
      return value;
    }
    value.data.assign(size, '\0');
    if (size > 0) {
      const LONG result = ::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(value.data.data()), &size);
      if (result != ERROR_SUCCESS) return std::nullopt;  // removed or changed in between
      value.type = type;
      value.data.resize(size);
    }
    return value;
  }

  bool SetString(const std::string& name, const std::string& text) override {
    return ::RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  }

  bool SetDword(const std::string& name, std::uint32_t value) override {
    const DWORD data = value;
    return ::RegSetValueExA(key_.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                            sizeof data) == ERROR_SUCCESS;
  }

 private:
  win32::UniqueKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenCurrentUser(const std::string& path, bool create) {
  HKEY key = nullptr;
  const LONG result =
      create ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr)
             : ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (result != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32RegistryKey>(win32::UniqueKey(key));
}

}  // namespace kestrav
