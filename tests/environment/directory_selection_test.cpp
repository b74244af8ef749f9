#include "environment/directory_selection.h"

#include <gtest/gtest.h>

#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

TEST(HoldsGameOrPatch, AcceptsAFolderWithAnyMarkerFile) {
  struct Case {
    std::vector<std::string> files;
    std::vector<std::string> directories;
    bool accepted;
  };
  const Case cases[] = {
      {{"GameGFX.exe"}, {}, true},
      {{"tycoon.exe"}, {}, true},
      {{"ttdx.exe"}, {}, true},
      {{"ttdlx.exe"}, {}, true},
      {{"ttd.exe"}, {}, true},
      {{"ttdpatch.exe"}, {}, true},
      {{"ttdpatchw.exe"}, {}, true},
      {{"TTDX.EXE"}, {}, true},
      {{"gamegfx.EXE", "readme.txt"}, {}, true},
      {{}, {}, false},
      {{"ttdpatch.ex", "ttdx.exe.bak", "newgrf.cfg", "sub/ttdx.exe"}, {}, false},
      {{}, {"tycoon.exe", "GameGFX.exe"}, false},
      {{"ttdlx.exe"}, {"tycoon.exe"}, true},
  };
  auto files = MakeSystemAdapters().files;
  for (const auto& c : cases) {
    test::TempDir dir;
    for (const auto& file : c.files) dir.Write(file, "");
    for (const auto& directory : c.directories) dir.MakeDirectory(directory);
    EXPECT_EQ(c.accepted, HoldsGameOrPatch(*files, dir.path()))
        << (c.files.empty() ? std::string("(no file)") : c.files[0]);
  }
}

TEST(HoldsGameOrPatch, RefusesAFolderThatIsNotThere) {
  test::TempDir dir;
  EXPECT_FALSE(HoldsGameOrPatch(*MakeSystemAdapters().files, dir.Join("gone")));
}

}  // namespace
}  // namespace kestrav
