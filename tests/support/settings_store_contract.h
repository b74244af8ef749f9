#pragma once
// What the settings store must do on every registry: the same cases run on the in-memory
// registry and, under Wine, on the real one. Each test program instantiates them with the
// registries it has.
#include <gtest/gtest.h>

#include <memory>

#include "environment/settings_store.h"
#include "platform/operation_error.h"
#include "support/test_platform.h"

namespace kestrav::test {

// A registry with the means to look at and store any value by hand, as regedit would.
class RegistryUnderTest {
 public:
  virtual ~RegistryUnderTest() = default;
  virtual Registry& registry() = 0;
  virtual const char* key() = 0;
  virtual void Put(const char* name, std::uint32_t type, const std::string& data) = 0;
  std::optional<RegistryValue> Get(const char* name) {
    auto opened = registry().OpenCurrentUser(key(), false);
    return opened ? opened->Query(name) : std::nullopt;
  }
};

class SettingsStoreContract : public ::testing::TestWithParam<std::unique_ptr<RegistryUnderTest> (*)()> {
 protected:
  std::unique_ptr<RegistryUnderTest> under = GetParam()();
  SettingsStore settings{under->registry(), under->key()};
};

TEST_P(SettingsStoreContract, OpenWithoutCreationOfAMissingKeyReadsEverythingAsAbsent) {
  EXPECT_FALSE(settings.Open(false));
  EXPECT_FALSE(under->registry().OpenCurrentUser(under->key(), false));
  EXPECT_FALSE(settings.ValueExists(setting::kTtdPath));
  EXPECT_EQ("", settings.ReadString(setting::kTtdPath));
  EXPECT_EQ("Failed to set data for 'TTD Path'", ErrorOf([&] { settings.WriteString(setting::kTtdPath, "x"); }));
  EXPECT_TRUE(settings.Open(true));
  EXPECT_TRUE(under->registry().OpenCurrentUser(under->key(), false)) << "the key and its parents are made";
}

TEST_P(SettingsStoreContract, RoundTripsStringsAndNumbersThroughRegSzAndRegDword) {
  settings.Open(true);
  settings.WriteString(setting::kTtdPath, "C:\\Games\\TTD \xE9");
  settings.WriteString("Empty", "");
  settings.WriteInteger(setting::kLeft, -50);
  settings.WriteBool(setting::kRunType, true);
  SettingsStore later(under->registry(), under->key());  // a new action opens the key afresh
  later.Open(false);
  EXPECT_EQ("C:\\Games\\TTD \xE9", later.ReadString(setting::kTtdPath));
  EXPECT_TRUE(later.ValueExists("Empty"));
  EXPECT_EQ("", later.ReadString("Empty"));
  EXPECT_EQ(-50, later.ReadInteger(setting::kLeft));
  EXPECT_TRUE(later.ReadBool(setting::kRunType));
  EXPECT_FALSE(later.ValueExists(setting::kTop));
  EXPECT_EQ(static_cast<std::uint32_t>(kRegDword), under->Get("RunType")->type);
  EXPECT_EQ(std::string("\x01\x00\x00\x00", 4), under->Get("RunType")->data);
  EXPECT_EQ(static_cast<std::uint32_t>(kRegSz), under->Get("TTD Path")->type);
}

TEST_P(SettingsStoreContract, ValuesStoredByHandFollowTheReadingConventionsOrGiveTheirErrorTexts) {
  under->Put("Number", kRegDword, std::string("\x02\x00\x00\x00", 4));
  under->Put("Expand", kRegExpandSz, std::string("%TEMP%\0", 7));
  under->Put("ShortString", kRegSz, std::string("1\0", 2));
  under->Put("LongString", kRegSz, std::string("123456\0", 7));
  settings.Open(false);
  EXPECT_EQ(2, settings.ReadInteger("Number"));
  EXPECT_EQ("%TEMP%", settings.ReadString("Expand"));
  // The size is checked before the type.
  EXPECT_EQ("Invalid data type for 'ShortString'", ErrorOf([&] { settings.ReadBool("ShortString"); }));
  EXPECT_EQ("Failed to get data for 'LongString'", ErrorOf([&] { settings.ReadInteger("LongString"); }));
  EXPECT_EQ("Invalid data type for 'Number'", ErrorOf([&] { settings.ReadString("Number"); }));
  EXPECT_EQ("Failed to get data for 'Left'", ErrorOf([&] { settings.ReadInteger("Left"); }));
}

}  // namespace kestrav::test
