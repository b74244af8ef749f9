#include "grf/sprite_totals.h"

#include <gtest/gtest.h>

namespace kestrav {
namespace {

TEST(SpritePanels, TextsBeforeAndAfterACount) {
  EXPECT_STREQ("Total Sprites:", kTotalSpritesPanelText);
  EXPECT_STREQ("Active Sprites:", kActiveSpritesPanelText);
  EXPECT_EQ("Total Sprites: 11484", TotalSpritesText(11484));
  EXPECT_EQ("Active Sprites: 0", ActiveSpritesText(0));
  EXPECT_EQ("Active Sprites: -3", ActiveSpritesText(-3));
  EXPECT_EQ("Cannot find file:\nnewgrf/sub/a.grf", MissingGrfFileText("newgrf\\sub/a.grf 1 2"));
}

}  // namespace
}  // namespace kestrav
