#include "support/settings_store_contract.h"

#include "platform/memory_registry.h"

namespace kestrav {
namespace {

using test::SettingsStoreContract;

class InMemory : public test::RegistryUnderTest {
 public:
  Registry& registry() override { return memory; }
  const char* key() override { return kSettingsKeyPath; }
  void Put(const char* name, std::uint32_t type, const std::string& data) override {
    memory.Put(kSettingsKeyPath, name, RegistryValue{type, data});
  }
  MemoryRegistry memory;
};

INSTANTIATE_TEST_SUITE_P(MemoryRegistry, SettingsStoreContract,
                         ::testing::Values(+[]() -> std::unique_ptr<test::RegistryUnderTest> {
                           return std::make_unique<InMemory>();
                         }));

// Values cut short and refused writes, which the memory registry makes easy to set up.
TEST(SettingsStore, ShortOrUnterminatedValuesAndFailedWrites) {
  InMemory under;
  SettingsStore settings(under.memory);
  settings.Open(true);
  under.Put("NoTerminator", kRegSz, "abc");
  under.Put("Short", kRegDword, "\x07");
  EXPECT_EQ("abc", settings.ReadString("NoTerminator"));
  EXPECT_EQ(7, settings.ReadInteger("Short"));
  under.memory.failWrites = true;
  EXPECT_EQ("Failed to set data for 'Width'", test::ErrorOf([&] { settings.WriteInteger("Width", 1); }));
  EXPECT_EQ("Failed to set data for 'LastDir'", test::ErrorOf([&] { settings.WriteString("LastDir", "x"); }));
}

}  // namespace
}  // namespace kestrav
