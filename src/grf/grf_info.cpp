#include "grf/grf_info.h"

namespace kestrav {

GrfLogView LogViewOf(const GrfInfo& info) {
  GrfLogView view;
  if (!info.opened) return view;
  view.totalSprites = info.totalSprites;
  view.pseudoSprites = info.pseudoSprites;
  view.infoText = kNoInfoFound;
  view.descriptionText = kNoDescriptionFound;
  if (info.action8.empty()) return view;
  const GrfAction8& last = info.action8.back();
  view.versionText = std::to_string(static_cast<int>(last.version));
  view.idText = last.grfId;
  if (!last.info.empty()) view.infoText = last.info;
  if (!last.description.empty()) view.descriptionText = last.description;
  return view;
}

}  // namespace kestrav
