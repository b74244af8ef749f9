#include "environment/window_geometry.h"
#include "platform/memory_registry.h"
#include "support/settings_store_contract.h"
#include "support/test_platform.h"

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
  EXPECT_EQ(std::pair(std::string("abc"), 7),
            std::pair(settings.ReadString("NoTerminator"), settings.ReadInteger("Short")));
  under.memory.failWrites = true;
  EXPECT_THROW(settings.WriteInteger("Width", 1), OperationError);
  EXPECT_THROW(settings.WriteString("LastDir", "x"), OperationError);
}

// Storing the bounds is checked with the window's close, in the controller's tests.
TEST(InitialWindowBounds, FollowsStoredValuesDefaultsAndClamps) {
  const struct {
    const char* what;
    std::optional<int> width, height, top, left;
    ScreenSize screen, work;
    WindowBounds expected;
  } cases[] = {
      {"first start centres", {}, {}, {}, {}, {1024, 768}, {1024, 738}, {352, 184, 320, 400}},
      {"odd screen and odd size", 321, 401, {}, {}, {1023, 767}, {1023, 767}, {511 - 160, 383 - 200, 321, 401}},
      {"stored bounds", 500, 600, 10, 20, {1024, 768}, {1024, 738}, {20, 10, 500, 600}},
      {"width below the minimum", 200, 100, {}, {}, {1024, 768}, {1024, 738}, {352, 234, 320, 300}},
      {"negative edges move to 0", {}, {}, -50, -50, {1024, 768}, {1024, 738}, {0, 0, 320, 400}},
      {"larger than the work area", 5000, 5000, 0, 0, {1024, 768}, {1024, 738}, {0, 0, 1024, 738}},
      {"screen smaller than the minimum", {}, {}, {}, {}, {200, 200}, {200, 200}, {0, 0, 320, 300}},
  };
  for (const auto& c : cases) {
    MemoryRegistry registry;
    SettingsStore settings(registry);
    settings.Open(true);
    for (const auto& [name, value] : {std::pair{setting::kWidth, c.width}, {setting::kHeight, c.height},
                                      {setting::kTop, c.top}, {setting::kLeft, c.left}}) {
      if (value) settings.WriteInteger(name, *value);
    }
    test::FakeScreen screen;
    screen.screen = c.screen;
    screen.workArea = c.work;
    EXPECT_EQ(c.expected, InitialWindowBounds(settings, screen)) << c.what;
  }
}

}  // namespace
}  // namespace kestrav
