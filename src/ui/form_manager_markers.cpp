// The analyses that travel with the list's items, and the markers drawn from them.
#include <algorithm>

#include "ui/form_manager.h"

namespace kestrav {

const std::vector<GrfInfo>& TformManager::Analyses() {
  // Items added since the last recount have not been read.
  analyses_.resize(listGrfFiles.Items().size());
  return analyses_;
}

std::vector<ListFinding> TformManager::ItemFindings() {
  return CheckGrfItems(listGrfFiles.Items(), Analyses(), configEdition_);
}

void TformManager::UpdateMarkers() {
  markers_ = MarkersOf(listGrfFiles.Items(), ItemFindings());
  view_.SetMarkers(markers_);
}

void TformManager::AddItem(const std::string& text, GrfState state) {
  Analyses();
  listGrfFiles.Add(text, state);
  analyses_.emplace_back();
}

void TformManager::RemoveItem(int index) {
  Analyses();
  listGrfFiles.Remove(index);
  analyses_.erase(analyses_.begin() + index);
}

void TformManager::MoveItem(int from, int to) {
  Analyses();
  listGrfFiles.Move(from, to);
  const auto at = [this](int index) { return analyses_.begin() + index; };
  const int end = static_cast<int>(analyses_.size()) - 1;
  to = std::clamp(to, 0, end);
  if (from < to) {
    std::rotate(at(from), at(from + 1), at(to + 1));
  } else if (to < from) {
    std::rotate(at(to), at(from), at(from + 1));
  }
}

}  // namespace kestrav
