#include "grf/grf_info.h"

#include <gtest/gtest.h>

namespace kestrav {
namespace {

GrfInfo Opened(std::vector<GrfAction8> records) {
  GrfInfo info;
  info.opened = true;
  info.totalSprites = 120;
  info.pseudoSprites = 20;
  info.normalSprites = 100;
  info.action8 = std::move(records);
  return info;
}

TEST(GrfLogView, TakesTheLastActionEightRecordAndFillsInMissingTexts) {
  struct Case {
    const char* what;
    std::vector<GrfAction8> records;
    GrfLogView expected;
  };
  const std::vector<Case> cases = {
      {"no record", {}, {"", "", kNoInfoFound, kNoDescriptionFound, 120, 20}},
      {"one record", {{7, "12AB00FF", "Info", "Description"}}, {"7", "12AB00FF", "Info", "Description", 120, 20}},
      {"the last of two", {{1, "AAAAAAAA", "a", "b"}, {-128, "BBBBBBBB", "", "second"}},
       {"-128", "BBBBBBBB", " - no info found - ", "second", 120, 20}},
      {"empty texts", {{-1, "00000000", "", ""}}, {"-1", "00000000", " - no info found - ", " - no description found - ", 120, 20}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, LogViewOf(Opened(c.records))) << c.what;
}

TEST(GrfLogView, FileThatDidNotOpenHasEmptyTextsAndNoCounts) {
  GrfInfo info;
  info.action8.push_back({7, "12AB00FF", "never shown", "never shown"});
  EXPECT_EQ(GrfLogView{}, LogViewOf(info));
}

}  // namespace
}  // namespace kestrav
