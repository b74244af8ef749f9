// What only the Windows adapters have: the real registry under the settings store, the
// system's collation, attributes a save must keep and devices named like files (the shared
// rules of each port are tested with the port).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/win32_registry.h"
#include "support/settings_store_contract.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::SettingsStoreContract;
using namespace std::string_literals;

constexpr const char* kParent = "Software\\Kestrav Registry Tests";

class RealRegistry : public test::RegistryUnderTest {
 public:
  RealRegistry() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kParent); }
  ~RealRegistry() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kParent); }
  Registry& registry() override { return real; }
  // Below parents that do not exist either.
  const char* key() override { return "Software\\Kestrav Registry Tests\\Deep\\Er\\Key"; }
  void Put(const char* name, std::uint32_t type, const std::string& data) override {
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, key(), name, type, data.data(),
                                               static_cast<DWORD>(data.size())));
  }
  Win32Registry real;
};

INSTANTIATE_TEST_SUITE_P(Win32Registry, SettingsStoreContract,
                         ::testing::Values(+[]() -> std::unique_ptr<test::RegistryUnderTest> {
                           return std::make_unique<RealRegistry>();
                         }));

TEST(Win32Locale, OrdersNamesByTheSystemsCollationWithoutRegardToCase) {
  auto system = MakeSystemAdapters();
  std::vector<std::string> names = {"b.grf", "Z.grf", "a-b.grf", "A.grf", "ab.grf", "1.grf", "a_b.grf", "_x.grf"};
  std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    return system.locale->CompareIgnoringCase(a, b) < 0;
  });
  // Symbols before digits before letters; a hyphen weighs only where all else is equal.
  EXPECT_EQ((std::vector<std::string>{"_x.grf", "1.grf", "A.grf", "a_b.grf", "ab.grf", "a-b.grf", "b.grf", "Z.grf"}),
            names);
  EXPECT_LT(system.locale->CompareIgnoringCase("", "a"), 0);
}

TEST(Win32FileSystem, ASaveKeepsTheFilesAttributesAndLeavesAReadOnlyFileAsItIs) {
  test::TempDir dir;
  auto files = MakeSystemAdapters().files;
  const std::string kept = dir.Write("newgrfw.cfg", "old"), locked = dir.Write("newgrf.cfg", "old");
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(::SetFileAttributesA(kept.c_str(), kKept) && ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  files->WriteWholeFile(kept, "new");
  EXPECT_THROW(files->WriteWholeFile(locked, "new"), OperationError);
  EXPECT_EQ(std::tuple("new"s, kKept, "old"s),
            std::tuple(dir.Read("newgrfw.cfg"), ::GetFileAttributesA(kept.c_str()) & kKept, dir.Read("newgrf.cfg")));
  // A device named like a file is no file to read.
  for (const char* name : {"NUL.grf", "CON.grf"}) EXPECT_EQ(nullptr, files->OpenForRead(dir.Join(name))) << name;
}

}  // namespace
}  // namespace kestrav
