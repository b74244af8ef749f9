// MSXML behind the XML port: what only the Windows reader meets (the contract shared with
// the POSIX reader is in tests/platform).
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "platform/system_platform.h"
#include "platform/win32/win32_handles.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

using win32::UniqueHandle;

class MsxmlReader : public ::testing::Test {
 protected:
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  XmlReader& xml = *system.xml;
};

TEST_F(MsxmlReader, ReadsFilesInFoldersWhoseNamesLookLikeUrls) {
  for (const char* folder : {"a#b %20c", "50% off", "x#y", "C++ & more"}) {
    const std::string path = dir.Write(std::string(folder) + "/switches.xml", "<switches ID=\"7\"/>");
    EXPECT_EQ("7", xml.ReadRootAttribute(path, "ID")) << folder;
  }
}

TEST_F(MsxmlReader, ReadsAListThePatchStillHoldsOpenUnlessItIsLocked) {
  const std::string path = dir.Write("switches.xml", "<switches ID=\"7\"/>");
  {
    const UniqueHandle writer(win32::OrNull(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    ASSERT_TRUE(writer);
    EXPECT_EQ("7", xml.ReadRootAttribute(path, "ID"));
  }
  const UniqueHandle locker(win32::OrNull(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  ASSERT_TRUE(locker);
  EXPECT_EQ(std::nullopt, xml.ReadRootAttribute(path, "ID"));
}

// Each check runs on a thread of its own, so that the apartment it finds is a fresh one.
void OnFreshThread(const std::function<void()>& check) { std::thread(check).join(); }

TEST_F(MsxmlReader, HoldsASingleThreadedApartmentForItsLifetime) {
  const std::string path = dir.Write("switches.xml", "<switches ID=\"7\"/>");
  OnFreshThread([&] {
    {
      auto adapters = MakeSystemAdapters();
      EXPECT_EQ(RPC_E_CHANGED_MODE, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
      EXPECT_EQ("7", adapters.xml->ReadRootAttribute(path, "ID"));
    }
    // Released with the adapter: the thread may now choose another model.
    EXPECT_EQ(S_OK, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ::CoUninitialize();
  });
}

TEST_F(MsxmlReader, LeavesAnApartmentItFoundAlone) {
  const std::string path = dir.Write("switches.xml", "<switches ID=\"7\"/>");
  OnFreshThread([&] {
    ASSERT_EQ(S_OK, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
      auto adapters = MakeSystemAdapters();
      EXPECT_EQ("7", adapters.xml->ReadRootAttribute(path, "ID"));
    }
    EXPECT_EQ(S_FALSE, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ::CoUninitialize();
    ::CoUninitialize();
  });
}

}  // namespace
}  // namespace kestrav
