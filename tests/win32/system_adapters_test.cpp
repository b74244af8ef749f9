// What only the Windows adapters have: the real registry under the settings store, the
// system's collation, attributes a save must keep, devices named like files and MSXML behind
// the XML port with the COM apartment it needs (the shared rules of each port are tested with
// the port).
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

#include "cli/cli.h"
#include "platform/system_platform.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_registry.h"
#include "support/settings_store_contract.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using test::SettingsStoreContract;
using win32::UniqueHandle;
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

TEST(Win32FileSystem, ALinkIsWrittenThroughAndDeletedItselfAndADeletedFileWaitsInTheBin) {
  test::TempDir dir;
  auto files = MakeSystemAdapters().files;
  dir.Write("shared/newgrf.cfg", "old");
  dir.Write("shared/set.grf", "set");
  // Wine makes no host link itself, but runs the host's programs.
  std::string links =
      "Z:\\bin\\sh -c \"ln -s shared/newgrf.cfg newgrfw.cfg; for f in a b; do ln -s shared/set.grf $f.grf; done\"";
  STARTUPINFOA startup{};
  PROCESS_INFORMATION shell{};
  ASSERT_TRUE(::CreateProcessA(nullptr, links.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.path().c_str(), &startup,
                               &shell));
  const UniqueHandle process(shell.hProcess), thread(shell.hThread);
  // Wine cannot wait for a host program: the last link tells that it is done.
  for (int i = 0; i < 1000 && !dir.Exists("b.grf"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  files->WriteWholeFile(dir.Join("newgrfw.cfg"), "new");
  EXPECT_TRUE(files->RemoveFile(dir.Join("a.grf")) && files->RecycleFile(dir.Join("b.grf")));
  EXPECT_EQ(std::tuple("new"s, "new"s, "set"s, false, false),
            std::tuple(dir.Read("newgrfw.cfg"), dir.Read("shared/newgrf.cfg"), dir.Read("shared/set.grf"),
                       dir.Exists("a.grf"), dir.Exists("b.grf")));
  const char* home = std::getenv("WINEHOMEDIR");  // "\\??\\Z:\\root"
  const char* data = std::getenv("XDG_DATA_HOME");
  if (!home) GTEST_SKIP() << "not Wine";
  const std::string name = dir.path().substr(dir.path().find_last_of('\\') + 1) + ".grf";
  const std::string trash =
      (data ? "Z:" + std::string(data) : std::string(home).substr(4) + "\\.local\\share") + "\\Trash\\";
  EXPECT_TRUE(files->RecycleFile(dir.Write(name, "restorable")));
  EXPECT_EQ(std::tuple(false, "restorable"s),
            std::tuple(dir.Exists(name), ReadWholeFile(*files, trash + "files\\" + name).value_or("")));
  EXPECT_TRUE(std::filesystem::remove(trash + "info\\" + name + ".trashinfo") &&
              std::filesystem::remove(trash + "files\\" + name));
}

TEST(Win32Install, AShortNameIsInstalledUnderItsOwnLongNameAndNeverOverAnotherFile) {
  test::TempDir dir;
  char alias[MAX_PATH], chosen[MAX_PATH];
  ASSERT_TRUE(::GetShortPathNameA(dir.Write("ttd/newgrf/longfilename_set.grf", "installed").c_str(), alias, MAX_PATH) &&
              ::GetShortPathNameA(dir.Write("dl/longfilename_new.grf", "new").c_str(), chosen, MAX_PATH));
  const std::string ownedAlias = dir.Write("dl/" + std::string(std::strrchr(alias, '\\') + 1), "other");
  auto adapters = MakeSystemAdapters();
  std::ostringstream out, err;
  const int statuses[] = {RunCli({"install", dir.Join("ttd"), chosen, "--replace"}, adapters, out, err),
                          RunCli({"install", dir.Join("ttd"), ownedAlias, "--replace"}, adapters, out, err)};
  EXPECT_EQ(std::tuple(0, 1, "installed"s, "new"s),
            std::tuple(statuses[0], statuses[1], dir.Read("ttd/newgrf/longfilename_set.grf"),
                       dir.Read("ttd/newgrf/longfilename_new.grf")));
}

TEST(MsxmlReader, ReadsTheDocumentElementsAttributeWhereverTheFileIsUnlessItIsLocked) {
  test::TempDir dir;
  auto system = MakeSystemAdapters();
  const std::pair<const char*, std::optional<std::string>> lists[] = {
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<!-- by the patch -->\r\n<switches ID=\"0x2\">\r\n"
       "<switch ID=\"3\"/></switches>", "0x2"},
      {"<switches id=\"1\"/>", {}}, {"<switches><switch ID=\"1\"/></switches>", {}}, {"<switches ID=\"1\">", {}}};
  for (const char* folder : {"a#b %20c", "50% off", "C++ & more"}) {
    for (const auto& [list, id] : lists) {
      const std::string path = dir.Write(std::string(folder) + "/switches.xml", list);
      EXPECT_EQ(id, system.xml->ReadRootAttribute(path, "ID")) << folder << ": " << list;
    }
  }
  const std::string path = dir.Write("switches.xml", "<switches ID=\"7\"/>");
  EXPECT_EQ(std::nullopt, system.xml->ReadRootAttribute(dir.Join("missing.xml"), "ID"));
  {
    // The patch may still hold its list open for writing: it is read all the same.
    const UniqueHandle writer(win32::OrNull(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    EXPECT_EQ("7", system.xml->ReadRootAttribute(path, "ID"));
  }
  const UniqueHandle locker(win32::OrNull(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  EXPECT_EQ(std::nullopt, system.xml->ReadRootAttribute(path, "ID"));
}

// Each check runs on a thread of its own, so that the apartment it finds is a fresh one:
// the reader holds a single-threaded apartment while it lives, and leaves one it found.
TEST(MsxmlReader, HoldsAnApartmentForItsLifetimeAndLeavesOneItFound) {
  test::TempDir dir;
  const std::string path = dir.Write("switches.xml", "<switches ID=\"7\"/>");
  for (const bool found : {false, true}) {
    std::thread([&] {
      if (found) ASSERT_EQ(S_OK, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
      {
        auto adapters = MakeSystemAdapters();
        if (!found) EXPECT_EQ(RPC_E_CHANGED_MODE, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        EXPECT_EQ("7", adapters.xml->ReadRootAttribute(path, "ID"));
      }
      EXPECT_EQ(found ? S_FALSE : S_OK, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) << found;
      ::CoUninitialize();
      if (found) ::CoUninitialize();
    }).join();
  }
}

}  // namespace
}  // namespace kestrav
