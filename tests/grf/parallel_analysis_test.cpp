#include "grf/parallel_analysis.h"

#include <gtest/gtest.h>

#include "grf/grf_reader.h"
#include "platform/system_platform.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

// Files of every size among a missing one and a directory: each result in its place, as
// one analysis after the other finds it, through the system's own file system.
TEST(ParallelAnalysis, GivesEachFileTheResultOfItsOwnAnalysisInOrder) {
  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  dir.MakeDirectory("newgrf/folder.grf");
  std::vector<std::string> paths{dir.Join("newgrf/missing.grf"), dir.Join("newgrf/folder.grf")};
  for (std::uint32_t seed = 1; seed <= 24; ++seed) {
    test::SampleGrfOptions options{.seed = seed, .normalSprites = static_cast<int>(seed * 7 % 50)};
    options.info = "set " + std::to_string(seed);
    paths.push_back(dir.Join("newgrf/set" + std::to_string(seed) + ".grf"));
    test::WriteSampleGrf(paths.back(), options);
  }
  paths.push_back(paths[5]);
  const std::vector<GrfInfo> infos = AnalyzeGrfFiles(*system.files, paths);
  ASSERT_EQ(paths.size(), infos.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const GrfInfo one = AnalyzeGrf(*system.files, paths[i]);
    EXPECT_EQ(one.opened, infos[i].opened) << paths[i];
    EXPECT_EQ(one.modified, infos[i].modified) << paths[i];
    EXPECT_EQ(one.normalSprites, infos[i].normalSprites) << paths[i];
    EXPECT_EQ(one.pseudoSprites, infos[i].pseudoSprites) << paths[i];
    EXPECT_EQ(one.action8, infos[i].action8) << paths[i];
  }
  EXPECT_TRUE(AnalyzeGrfFiles(*system.files, {}).empty());
}

}  // namespace
}  // namespace kestrav
