#include "model/grf_check_list.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrav {
namespace {

// The toggle cycles, the drag targets and the entry texts are driven through the window's
// handlers in the controller tests; here is what they do not see.
TEST(GrfCheckList, MovesAndRemovesKeepingTheSelectionOnItsItem) {
  GrfCheckList list;
  for (const char* text : {"a", "b", "c", "d"}) list.Add(text, GrfState::Off);
  list.Select(1);
  const auto order = [&] {
    std::string texts;
    for (const auto& item : list.Items()) texts += item.text;
    return texts;
  };
  // From, to, the order after and where the selected item went; 99 is past the end.
  const std::tuple<int, int, const char*, int> moves[] = {
      {0, 2, "bcad", 0}, {3, 0, "dbca", 1}, {1, 99, "dcab", 3}, {0, 3, "cabd", 2}};
  for (const auto& [from, to, texts, selected] : moves) {
    list.Move(from, to);
    EXPECT_EQ(texts, order()) << from << " to " << to;
    EXPECT_EQ(selected, list.Selected()) << from << " to " << to;
  }
  list.Remove(0);
  EXPECT_EQ(1, list.Selected());
  list.Remove(1);
  EXPECT_EQ(-1, list.Selected());
  EXPECT_THROW(list.Remove(5), std::out_of_range);
}

TEST(GrfCheckList, FindsByWholeTextWithOrWithoutLetterCase) {
  GrfCheckList list;
  for (const char* text : {"newgrf/a.grf 1", "newgrf/A.grf", "newgrf/b.grf"}) list.Add(text, GrfState::Off);
  EXPECT_EQ(1, list.FindExact("newgrf/A.grf"));
  EXPECT_EQ(-1, list.FindExact("newgrf/B.grf"));
  EXPECT_EQ(1, list.FindIgnoringCase("NEWGRF/a.GRF"));
  EXPECT_EQ(-1, list.FindIgnoringCase("newgrf/a.gr"));
}

}  // namespace
}  // namespace kestrav
