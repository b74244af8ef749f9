#include "grf/grf_info.h"

#include <gtest/gtest.h>

namespace kestrav {
namespace {

TEST(GrfLogView, TakesTheLastActionEightRecordAndFillsInMissingTexts) {
  const std::string noInfo = " - no info found - ", noDescription = " - no description found - ";
  const std::pair<std::vector<GrfAction8>, GrfLogView> cases[] = {
      {{}, {"", "", noInfo, noDescription, 120, 20}},
      {{{7, "12AB00FF", "Info", "Description"}}, {"7", "12AB00FF", "Info", "Description", 120, 20}},
      {{{1, "AAAAAAAA", "a", "b"}, {-128, "BBBBBBBB", "", "second"}}, {"-128", "BBBBBBBB", noInfo, "second", 120, 20}},
      {{{-1, "00000000", "", ""}}, {"-1", "00000000", noInfo, noDescription, 120, 20}},
  };
  for (const auto& [records, expected] : cases) {
    GrfInfo info{true, {}, 120, 20, 100, records};
    EXPECT_EQ(expected, LogViewOf(info)) << records.size();
    // A file that did not open has empty texts and no counts.
    info.opened = false;
    EXPECT_EQ(GrfLogView{}, LogViewOf(info));
  }
}

}  // namespace
}  // namespace kestrav
