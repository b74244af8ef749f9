#include "model/grf_check_list.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "model/item_order.h"

namespace kestrav {
namespace {

std::string Order(const GrfCheckList& list) {
  std::string texts;
  for (const auto& item : list.Items()) texts += item.text;
  return texts;
}

// The toggle cycles, the drag targets and the entry texts are driven through the window's
// handlers in the controller tests; here is what they do not see.
TEST(GrfCheckList, MovesRemovesAndFindsKeepingTheSelectionOnItsItem) {
  GrfCheckList list;
  for (const char* text : {"a", "b", "c", "d"}) list.Add(text, GrfState::Off);
  list.Select(1);
  // From, to, the order after and where the selected item went; 99 is past the end.
  const std::tuple<int, int, const char*, int> moves[] = {
      {0, 2, "bcad", 0}, {3, 0, "dbca", 1}, {1, 99, "dcab", 3}, {0, 3, "cabd", 2}};
  for (const auto& [from, to, texts, selected] : moves) {
    list.Move(from, to);
    EXPECT_EQ(texts, Order(list)) << from << " to " << to;
    EXPECT_EQ(selected, list.Selected()) << from << " to " << to;
  }
  EXPECT_EQ(1, list.FindExact("a"));
  EXPECT_EQ(-1, list.FindExact("A"));
  list.Remove(0);
  EXPECT_EQ(1, list.Selected());
  list.Remove(1);
  EXPECT_EQ(-1, list.Selected());
  EXPECT_THROW(list.Remove(5), std::out_of_range);
}

// The merge keeps its order in an ItemOrder: it must agree with the list move for move.
TEST(ItemOrder, AgreesWithTheListsMovesAndFindsEveryItemsPlace) {
  std::minstd_rand random(7);
  for (const int count : {1, 2, 3, 50, 700}) {
    GrfCheckList list;
    for (int i = 0; i < count; ++i) list.Add(std::to_string(i), GrfState::Off);
    ItemOrder order(count);
    for (int step = 0; step < 2000; ++step) {
      const int item = static_cast<int>(random() % static_cast<unsigned>(count));
      const int to = static_cast<int>(random() % static_cast<unsigned>(count + 2));
      const int from = order.PositionOf(item);
      ASSERT_EQ(std::to_string(item), list.Item(from).text) << count << " items, step " << step;
      list.Move(from, to);
      order.Move(item, to);
    }
    std::string texts;
    for (const int item : order.Items()) texts += std::to_string(item);
    EXPECT_EQ(Order(list), texts) << count;
  }
}

}  // namespace
}  // namespace kestrav
