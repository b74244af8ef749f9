// MSXML behind the XML port: the switch list as the patch leaves it, and the COM apartment
// the reader needs.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/system_platform.h"
#include "platform/win32/win32_handles.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using win32::UniqueHandle;

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
