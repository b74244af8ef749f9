#include "grf/grf_info.h"

namespace kestrav {

const GrfAction8* LastAction8(const GrfInfo& info) {
  if (info.lastAction8) return &*info.lastAction8;
  return info.action8.empty() ? nullptr : &info.action8.back();
}

void KeepLastAction8(GrfInfo& info) {
  if (info.action8.empty()) return;
  if (!info.lastAction8) info.lastAction8 = std::move(info.action8.back());
  info.action8.clear();
  info.action8.shrink_to_fit();
}

GrfLogView LogViewOf(const GrfInfo& info) {
  GrfLogView view;
  if (!info.opened) return view;
  view.totalSprites = info.totalSprites;
  view.pseudoSprites = info.pseudoSprites;
  view.infoText = kNoInfoFound;
  view.descriptionText = kNoDescriptionFound;
  const GrfAction8* record = LastAction8(info);
  if (!record) return view;
  const GrfAction8& last = *record;
  view.versionText = std::to_string(static_cast<int>(last.version));
  view.idText = last.grfId;
  if (!last.info.empty()) view.infoText = last.info;
  if (!last.description.empty()) view.descriptionText = last.description;
  return view;
}

}  // namespace kestrav
