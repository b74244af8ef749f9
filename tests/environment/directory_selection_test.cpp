#include "environment/directory_selection.h"

#include <gtest/gtest.h>

#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

TEST(HoldsGameOrPatch, AcceptsAFolderWithAnyMarkerFile) {
  const struct {
    std::vector<std::string> files, directories;
    bool accepted;
  } cases[] = {
      {{"GameGFX.exe"}, {}, true}, {{"tycoon.exe"}, {}, true}, {{"ttdx.exe"}, {}, true}, {{"ttdlx.exe"}, {}, true},
      {{"ttd.exe"}, {}, true}, {{"ttdpatch.exe"}, {}, true}, {{"ttdpatchw.exe"}, {}, true}, {{"TTDX.EXE"}, {}, true},
      {{}, {}, false}, {{"ttdpatch.ex", "ttdx.exe.bak", "newgrf.cfg", "sub/ttdx.exe"}, {}, false},
      {{}, {"tycoon.exe", "GameGFX.exe"}, false}, {{"ttdlx.exe"}, {"tycoon.exe"}, true},
  };
  auto files = MakeSystemAdapters().files;
  for (const auto& c : cases) {
    test::TempDir dir;
    for (const auto& file : c.files) dir.Write(file, "");
    for (const auto& directory : c.directories) dir.MakeDirectory(directory);
    EXPECT_EQ(c.accepted, HoldsGameOrPatch(*files, dir.path())) << testing::PrintToString(c.files);
    EXPECT_FALSE(HoldsGameOrPatch(*files, dir.Join("gone")));
  }
}

}  // namespace
}  // namespace kestrav
