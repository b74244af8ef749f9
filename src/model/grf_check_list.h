#pragma once
// The check list listGrfFiles as a model: its items (entry text and check state), the
// selection and whether the grayed state is offered. The window only draws it.
#include <string>
#include <vector>

#include "model/grf_entry.h"

namespace kestrav {

struct GrfItem {
  std::string text;  // the entry text
  GrfState state = GrfState::Off;
};

class GrfCheckList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  const GrfItem& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  const std::vector<GrfItem>& Items() const { return items_; }
  std::vector<GrfEntry> Entries() const;

  void Clear();
  void Add(const std::string& text, GrfState state);
  void Remove(int index);
  void SetText(int index, const std::string& text);
  void SetState(int index, GrfState state);
  // Removes the item and inserts it so that it ends at index to; the items between
  // shift by one. to is clamped to the last index.
  void Move(int from, int to);
  // The check box cycle: Off -> Inactive -> Active -> Off while inactiveAvailable,
  // Off -> Active -> Off otherwise. Returns the new state.
  GrfState Toggle(int index);

  // First item whose whole entry text equals text exactly; -1 when there is none.
  int FindExact(const std::string& text) const;

  int Selected() const { return selected_; }
  void Select(int index);  // -1 clears the selection

  bool inactiveAvailable = true;
  bool enabled = true;

 private:
  std::vector<GrfItem> items_;
  int selected_ = -1;
};

// The state a toggle leads to from state.
GrfState NextState(GrfState state, bool inactiveAvailable);
// The state a toggle came from, given the state it led to.
GrfState PreviousState(GrfState state, bool inactiveAvailable);

}  // namespace kestrav
