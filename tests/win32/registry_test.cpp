// The settings store on the real registry of the test prefix.
#include <windows.h>

#include "platform/win32/win32_registry.h"
#include "support/settings_store_contract.h"

namespace kestrav {
namespace {

constexpr const char* kParent = "Software\\Kestrav Registry Tests";

using test::SettingsStoreContract;

class RealRegistry : public test::RegistryUnderTest {
 public:
  RealRegistry() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kParent); }
  ~RealRegistry() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kParent); }
  Registry& registry() override { return real; }
  // Below parents that do not exist either.
  const char* key() override { return "Software\\Kestrav Registry Tests\\Deep\\Er\\Key"; }
  void Put(const char* name, std::uint32_t type, const std::string& data) override {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, this->key(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key, nullptr));
    ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    ::RegCloseKey(key);
  }
  Win32Registry real;
};

INSTANTIATE_TEST_SUITE_P(Win32Registry, SettingsStoreContract,
                         ::testing::Values(+[]() -> std::unique_ptr<test::RegistryUnderTest> {
                           return std::make_unique<RealRegistry>();
                         }));

}  // namespace
}  // namespace kestrav
