#include "model/grf_check_list.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrav {
namespace {

GrfCheckList ListOf(std::initializer_list<const char*> texts) {
  GrfCheckList list;
  for (const char* text : texts) list.Add(text, GrfState::Off);
  return list;
}

std::string Order(const GrfCheckList& list) {
  std::string order;
  for (const auto& item : list.Items()) order += item.text;
  return order;
}

TEST(GrfCheckList, ToggleCyclesWithAndWithoutInactiveState) {
  GrfCheckList list = ListOf({"a"});
  EXPECT_EQ(GrfState::Inactive, list.Toggle(0));
  EXPECT_EQ(GrfState::Active, list.Toggle(0));
  EXPECT_EQ(GrfState::Off, list.Toggle(0));
  list.inactiveAvailable = false;
  EXPECT_EQ(GrfState::Active, list.Toggle(0));
  EXPECT_EQ(GrfState::Off, list.Toggle(0));
  for (bool available : {true, false}) {
    for (GrfState state : {GrfState::Off, GrfState::Inactive, GrfState::Active}) {
      if (!available && state == GrfState::Inactive) continue;
      EXPECT_EQ(state, PreviousState(NextState(state, available), available));
    }
  }
}

TEST(GrfCheckList, MoveShiftsTheItemsBetweenAndKeepsTheSelection) {
  GrfCheckList list = ListOf({"a", "b", "c", "d"});
  list.Select(1);
  // From, to, the order after and where the selected item went.
  const std::tuple<int, int, const char*, int> moves[] = {
      {0, 2, "bcad", 0}, {3, 0, "dbca", 1}, {1, 99, "dcab", 3}, {2, 2, "dcab", 3}};  // 99: past the end
  for (const auto& [from, to, order, selected] : moves) {
    list.Move(from, to);
    EXPECT_EQ(order, Order(list)) << from << " to " << to;
    EXPECT_EQ(selected, list.Selected()) << from << " to " << to;
  }
}

TEST(GrfCheckList, FindsByWholeTextWithOrWithoutLetterCase) {
  GrfCheckList list = ListOf({"newgrf/a.grf 1", "newgrf/A.grf", "newgrf/b.grf"});
  EXPECT_EQ(1, list.FindExact("newgrf/A.grf"));
  EXPECT_EQ(-1, list.FindExact("newgrf/B.grf"));
  EXPECT_EQ(1, list.FindIgnoringCase("NEWGRF/a.GRF"));
  EXPECT_EQ(-1, list.FindIgnoringCase("newgrf/a.gr"));
}

TEST(GrfCheckList, RemoveAdjustsTheSelection) {
  GrfCheckList list = ListOf({"a", "b", "c"});
  list.Select(2);
  list.Remove(0);
  EXPECT_EQ(1, list.Selected());
  list.Remove(1);
  EXPECT_EQ(-1, list.Selected());
  EXPECT_THROW(list.Remove(5), std::out_of_range);
}

TEST(GrfEntryText, SplitsAtTheFirstBlank) {
  EXPECT_EQ("newgrf/a.grf", EntryPath("newgrf/a.grf 1 2"));
  EXPECT_EQ("C:\\TTD\\newgrf\\a.grf", EntryFile("C:\\TTD", "newgrf/a.grf 1 2"));
  const GrfEntry entry = EntryFromText("newgrf/a.grf  1 2", GrfState::Active);
  EXPECT_EQ("newgrf/a.grf", entry.path);
  EXPECT_EQ(" 1 2", entry.parameters);
  EXPECT_EQ("newgrf/a.grf  1 2", EntryText(entry));
  EXPECT_EQ("a.grf", FileNameOf("C:\\TTD\\newgrf/a.grf"));
  EXPECT_EQ("b.grf", FileNameOf("C:b.grf"));
  EXPECT_EQ("x", Trim(std::string("\x01 \t x\r\n\x20", 9)));
}

}  // namespace
}  // namespace kestrav
