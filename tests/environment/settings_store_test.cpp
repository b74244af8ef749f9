#include "environment/settings_store.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/operation_error.h"

namespace kestrav {
namespace {

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const OperationError& error) {
    return error.what();
  }
  return "no error";
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void Put(const char* name, std::uint32_t type, std::string data) {
    registry.Put(kSettingsKeyPath, name, RegistryValue{type, std::move(data)});
  }
  MemoryRegistry registry;
  SettingsStore settings{registry};
};

TEST_F(SettingsStoreTest, OpenWithoutCreationOfAMissingKeyReadsEverythingAsAbsent) {
  EXPECT_FALSE(settings.Open(false));
  EXPECT_FALSE(registry.KeyExists(kSettingsKeyPath));
  EXPECT_FALSE(settings.ValueExists(setting::kTtdPath));
  EXPECT_EQ("", settings.ReadString(setting::kTtdPath));
  EXPECT_EQ("Failed to set data for 'TTD Path'", ErrorOf([&] { settings.WriteString(setting::kTtdPath, "x"); }));
  EXPECT_TRUE(settings.Open(true));
  EXPECT_TRUE(registry.KeyExists(kSettingsKeyPath));
}

TEST_F(SettingsStoreTest, RoundTripsEachType) {
  settings.Open(true);
  settings.WriteString(setting::kTtdPath, "C:\\TTD \xE9");
  settings.WriteInteger(setting::kLeft, -50);
  settings.WriteBool(setting::kRunType, true);
  settings.WriteBool(setting::kSaveAndRun, false);
  SettingsStore later(registry);  // a new action opens the key afresh
  later.Open(false);
  EXPECT_EQ("C:\\TTD \xE9", later.ReadString(setting::kTtdPath));
  EXPECT_EQ(-50, later.ReadInteger(setting::kLeft));
  EXPECT_TRUE(later.ReadBool(setting::kRunType));
  EXPECT_TRUE(later.ValueExists(setting::kSaveAndRun));
  EXPECT_FALSE(later.ReadBool(setting::kSaveAndRun));
  EXPECT_EQ(std::string("\x01\x00\x00\x00", 4), registry.Get(kSettingsKeyPath, "RunType")->data);
}

TEST_F(SettingsStoreTest, ValuesStoredByHandFollowTheReadingConventions) {
  settings.Open(true);
  Put("SaveAndRun", kRegDword, std::string("\x02\x00\x00\x00", 4));
  Put("Empty", kRegSz, "");
  Put("NoTerminator", kRegSz, "abc");
  Put("Expand", kRegExpandSz, std::string("%x%\0", 4));
  Put("Short", kRegDword, "\x07");
  Put("Big", kRegDword, std::string("\xFF\xFF\xFF\xFF", 4));
  EXPECT_TRUE(settings.ReadBool("SaveAndRun"));
  EXPECT_EQ(2, settings.ReadInteger("SaveAndRun"));
  EXPECT_TRUE(settings.ValueExists("Empty"));
  EXPECT_EQ("", settings.ReadString("Empty"));
  EXPECT_EQ("abc", settings.ReadString("NoTerminator"));
  EXPECT_EQ("%x%", settings.ReadString("Expand"));
  EXPECT_EQ(7, settings.ReadInteger("Short"));
  EXPECT_EQ(-1, settings.ReadInteger("Big"));
}

TEST_F(SettingsStoreTest, ValuesOfTheWrongKindStopTheActionWithTheirText) {
  settings.Open(true);
  Put("RunType", kRegSz, std::string("1\0", 2));
  Put("Width", kRegSz, std::string("12345\0", 6));
  Put("Height", kRegQword, std::string(8, '\0'));
  Put("Top", kRegBinary, std::string(4, '\0'));
  Put("TTD Path", kRegDword, std::string(4, '\0'));
  Put("LastDir", kRegMultiSz, std::string("a\0\0", 3));
  EXPECT_EQ("Invalid data type for 'RunType'", ErrorOf([&] { settings.ReadBool("RunType"); }));
  EXPECT_EQ("Failed to get data for 'Width'", ErrorOf([&] { settings.ReadInteger("Width"); }));
  EXPECT_EQ("Failed to get data for 'Height'", ErrorOf([&] { settings.ReadInteger("Height"); }));
  EXPECT_EQ("Invalid data type for 'Top'", ErrorOf([&] { settings.ReadInteger("Top"); }));
  EXPECT_EQ("Invalid data type for 'TTD Path'", ErrorOf([&] { settings.ReadString("TTD Path"); }));
  EXPECT_EQ("Invalid data type for 'LastDir'", ErrorOf([&] { settings.ReadString("LastDir"); }));
  EXPECT_EQ("Failed to get data for 'Left'", ErrorOf([&] { settings.ReadInteger("Left"); }));
}

TEST_F(SettingsStoreTest, AFailedWriteNamesTheValue) {
  settings.Open(true);
  registry.failWrites = true;
  EXPECT_EQ("Failed to set data for 'Width'", ErrorOf([&] { settings.WriteInteger("Width", 1); }));
  EXPECT_EQ("Failed to set data for 'LastDir'", ErrorOf([&] { settings.WriteString("LastDir", "x"); }));
}

}  // namespace
}  // namespace kestrav
