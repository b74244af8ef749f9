// Installing a file over another: the copy is whole, with the source's time, or the old
// file stays. Natively the POSIX adapter, under Wine the Win32 one.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

TEST(CopyFileOver, ReplacesTheTargetWholeOrLeavesItAsItWas) {
  const test::TempDir dir;
  const auto files = MakeSystemAdapters().files;
  const std::string target = dir.Write("newgrf/set.grf", "installed"), big(300000, 'n');
  const std::pair<std::string, bool> cases[] = {
      {std::filesystem::exists("/proc/self/mem") ? "/proc/self/mem" : "Z:\\proc\\self\\mem", false},  // reads fail
      {dir.Join("missing.grf"), false},
      {dir.Join("newgrf"), false},
      {dir.Join("NEWGRF\\..\\newgrf\\Set.grf"), false},  // itself
      {dir.Write("download/set.grf", big), true},
  };
  const std::filesystem::path download = dir.path() + "/download/set.grf";
  std::filesystem::last_write_time(download, std::filesystem::last_write_time(download) - std::chrono::hours(50));
  for (const auto& [source, copied] : cases) {
    SCOPED_TRACE(source);
    EXPECT_EQ(copied, files->CopyFileOver(source, target));
    EXPECT_EQ(copied ? big : "installed", dir.Read("newgrf/set.grf"));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.path() + "/newgrf"), {})) << "nothing left";
  }
  EXPECT_EQ(files->LastWriteTime(dir.Join("download/set.grf")), files->LastWriteTime(target));
  EXPECT_FALSE(files->CopyFileOver(dir.Join("download/set.grf"), dir.Join("none/set.grf")));
}

}  // namespace
}  // namespace kestrav
