// The settings store on the real registry of the test prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include "environment/settings_store.h"
#include "platform/operation_error.h"
#include "platform/win32/win32_registry.h"

namespace kestrav {
namespace {

constexpr const char* kParent = "Software\\Kestrav Registry Tests";
constexpr const char* kKey = "Software\\Kestrav Registry Tests\\Deep\\Er\\Key";

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const OperationError& error) {
    return error.what();
  }
  return "no error";
}

class RealRegistry : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kParent); }
  void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kParent); }

  // Stores a value of any type, as a user could with regedit.
  void Put(const char* name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                               &key, nullptr));
    ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    ::RegCloseKey(key);
  }

  Win32Registry registry;
};

TEST_F(RealRegistry, OpensWithoutCreatingAndCreatesMissingParents) {
  SettingsStore settings(registry, kKey);
  EXPECT_FALSE(settings.Open(false));
  EXPECT_FALSE(settings.ValueExists("TTD Path"));
  EXPECT_EQ("", settings.ReadString("TTD Path"));
  EXPECT_EQ("Failed to set data for 'Width'", ErrorOf([&] { settings.WriteInteger("Width", 1); }));
  EXPECT_TRUE(settings.Open(true));
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key));
  ::RegCloseKey(key);
}

TEST_F(RealRegistry, RoundTripsStringsAndNumbersThroughRegSzAndRegDword) {
  {
    SettingsStore settings(registry, kKey);
    settings.Open(true);
    settings.WriteString("TTD Path", "C:\\Games\\TTD \xE9");
    settings.WriteString("Empty", "");
    settings.WriteInteger("Left", -50);
    settings.WriteBool("RunType", true);
  }
  SettingsStore settings(registry, kKey);
  settings.Open(false);
  EXPECT_EQ("C:\\Games\\TTD \xE9", settings.ReadString("TTD Path"));
  EXPECT_TRUE(settings.ValueExists("Empty"));
  EXPECT_EQ("", settings.ReadString("Empty"));
  EXPECT_EQ(-50, settings.ReadInteger("Left"));
  EXPECT_TRUE(settings.ReadBool("RunType"));
  EXPECT_FALSE(settings.ValueExists("Top"));

  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key));
  DWORD type = 0, data = 0, size = sizeof data;
  EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(key, "RunType", nullptr, &type, reinterpret_cast<BYTE*>(&data), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(1u, data);
  char text[64];
  size = sizeof text;
  EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(key, "TTD Path", nullptr, &type, reinterpret_cast<BYTE*>(text), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  ::RegCloseKey(key);
}

TEST_F(RealRegistry, ValuesOfTheWrongTypeOrSizeGiveTheirErrorTexts) {
  Put("ShortString", REG_SZ, std::string("1\0", 2));
  Put("LongString", REG_SZ, std::string("123456\0", 7));
  Put("Quad", REG_QWORD, std::string(8, '\x01'));
  Put("Binary", REG_BINARY, std::string(4, '\x01'));
  Put("Number", REG_DWORD, std::string("\x02\x00\x00\x00", 4));
  Put("Expand", REG_EXPAND_SZ, std::string("%TEMP%\0", 7));
  SettingsStore settings(registry, kKey);
  settings.Open(false);
  EXPECT_TRUE(settings.ValueExists("Number"));
  EXPECT_TRUE(settings.ValueExists("ShortString"));
  EXPECT_EQ("Invalid data type for 'ShortString'", ErrorOf([&] { settings.ReadBool("ShortString"); }));
  EXPECT_EQ("Failed to get data for 'LongString'", ErrorOf([&] { settings.ReadInteger("LongString"); }));
  EXPECT_EQ("Failed to get data for 'Quad'", ErrorOf([&] { settings.ReadInteger("Quad"); }));
  EXPECT_EQ("Invalid data type for 'Binary'", ErrorOf([&] { settings.ReadInteger("Binary"); }));
  EXPECT_EQ("Invalid data type for 'Number'", ErrorOf([&] { settings.ReadString("Number"); }));
  EXPECT_EQ(2, settings.ReadInteger("Number"));
  EXPECT_EQ("%TEMP%", settings.ReadString("Expand"));
}

}  // namespace
}  // namespace kestrav
