#include "ui/list_markers.h"

#include <algorithm>
#include <string_view>

namespace kestrav {
namespace {

struct CodeColour {
  std::string_view code;
  MarkerColour colour;
};

constexpr CodeColour kCodeColours[] = {
    {"missing", MarkerColour::Red},         {"not-a-grf", MarkerColour::Red},
    {"no-action8", MarkerColour::Red},      {"grf-version", MarkerColour::Red},
    {"truncated", MarkerColour::Red},       {"sprite-count", MarkerColour::Red},
    {"action8-rule", MarkerColour::Red},    {"overrides", MarkerColour::Amber},
    {"may-override", MarkerColour::Amber},  {"deactivates", MarkerColour::Amber},
    {"load-order", MarkerColour::Amber},    {"duplicate-id", MarkerColour::Amber},
    {"param-range", MarkerColour::Amber},
};

}  // namespace

MarkerColour MarkerColourOf(const std::string& code) {
  for (const CodeColour& known : kCodeColours) {
    if (known.code == code) return known.colour;
  }
  return MarkerColour::Amber;
}

std::vector<ItemMarker> MarkersOf(const std::vector<GrfItem>& items, const std::vector<ListFinding>& findings) {
  std::vector<ItemMarker> markers(items.size());
  for (const ListFinding& finding : findings) {
    if (finding.entry < 0 || static_cast<std::size_t>(finding.entry) >= items.size()) continue;
    if (items[static_cast<std::size_t>(finding.entry)].state == GrfState::Off) continue;
    ItemMarker& marker = markers[static_cast<std::size_t>(finding.entry)];
    marker.colour = std::max(marker.colour, MarkerColourOf(finding.code));
    if (!marker.tip.empty()) marker.tip += '\n';
    marker.tip += finding.code + ": " + finding.text;
  }
  return markers;
}

}  // namespace kestrav
