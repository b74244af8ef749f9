#include "model/grf_check_list.h"

#include <algorithm>
#include <stdexcept>

namespace kestrav {

GrfState NextState(GrfState state, bool inactiveAvailable) {
  switch (state) {
    case GrfState::Off: return inactiveAvailable ? GrfState::Inactive : GrfState::Active;
    case GrfState::Inactive: return GrfState::Active;
    case GrfState::Active: return GrfState::Off;
  }
  return GrfState::Off;
}

GrfState PreviousState(GrfState state, bool inactiveAvailable) {
  switch (state) {
    case GrfState::Inactive: return GrfState::Off;
    case GrfState::Active: return inactiveAvailable ? GrfState::Inactive : GrfState::Off;
    case GrfState::Off: return GrfState::Active;
  }
  return GrfState::Off;
}

std::vector<GrfEntry> GrfCheckList::Entries() const {
  std::vector<GrfEntry> entries;
  entries.reserve(items_.size());
  for (const auto& item : items_) entries.push_back(EntryFromText(item.text, item.state));
  return entries;
}

void GrfCheckList::Clear() {
  items_.clear();
  selected_ = -1;
}

void GrfCheckList::Add(const std::string& text, GrfState state) { items_.push_back(GrfItem{text, state}); }

void GrfCheckList::Remove(int index) {
  Item(index);  // range check
  items_.erase(items_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
}

void GrfCheckList::SetText(int index, const std::string& text) {
  items_.at(static_cast<std::size_t>(index)).text = text;
}

void GrfCheckList::SetState(int index, GrfState state) {
  items_.at(static_cast<std::size_t>(index)).state = state;
}

void GrfCheckList::Move(int from, int to) {
  GrfItem moved = Item(from);
  items_.erase(items_.begin() + from);
  to = std::clamp(to, 0, Count());
  items_.insert(items_.begin() + to, std::move(moved));
  // The selection stays on the item it was on.
  if (selected_ == from) {
    selected_ = to;
  } else if (selected_ > from && selected_ <= to) {
    --selected_;
  } else if (selected_ < from && selected_ >= to) {
    ++selected_;
  }
}

GrfState GrfCheckList::Toggle(int index) {
  auto& item = items_.at(static_cast<std::size_t>(index));
  item.state = NextState(item.state, inactiveAvailable);
  return item.state;
}

int GrfCheckList::FindExact(const std::string& text) const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[static_cast<std::size_t>(i)].text == text) return i;
  }
  return -1;
}

void GrfCheckList::Select(int index) {
  if (index < -1 || index >= Count()) throw std::out_of_range("selection");
  selected_ = index;
}

}  // namespace kestrav
