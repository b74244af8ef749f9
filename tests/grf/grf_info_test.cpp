#include "grf/grf_info.h"

#include <gtest/gtest.h>

#include "grf/sprite_totals.h"

namespace kestrav {
namespace {

TEST(GrfLogView, TakesTheLastActionEightRecordAndFillsInMissingTexts) {
  const std::pair<std::vector<GrfAction8>, GrfLogView> cases[] = {
      {{}, {"", "", " - no info found - ", " - no description found - ", 120, 20}},
      {{{7, "12AB00FF", "Info", "Description"}}, {"7", "12AB00FF", "Info", "Description", 120, 20}},
      {{{1, "AAAAAAAA", "a", "b"}, {-128, "BBBBBBBB", "", "second"}},
       {"-128", "BBBBBBBB", " - no info found - ", "second", 120, 20}},
      {{{-1, "00000000", "", ""}}, {"-1", "00000000", " - no info found - ", " - no description found - ", 120, 20}},
  };
  for (const auto& [records, expected] : cases) {
    GrfInfo info{true, {}, 120, 20, 100, records};
    EXPECT_EQ(expected, LogViewOf(info)) << records.size();
    // A file that did not open has empty texts and no counts.
    info.opened = false;
    EXPECT_EQ(GrfLogView{}, LogViewOf(info));
  }
}

TEST(SpritePanels, TextsOfACountAndOfAMissingFile) {
  EXPECT_EQ("Total Sprites: 11484", TotalSpritesText(11484));
  EXPECT_EQ("Active Sprites: -3", ActiveSpritesText(-3));
  EXPECT_EQ("Cannot find file:\nnewgrf/sub/a.grf", MissingGrfFileText("newgrf\\sub/a.grf 1 2"));
}

}  // namespace
}  // namespace kestrav
