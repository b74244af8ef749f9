#pragma once
// The markers at the right end of the list's rows: what the patch will do with an Active or
// Inactive item, told where the player toggles and drags.
#include <string>
#include <vector>

#include "grf/list_check.h"
#include "model/grf_check_list.h"

namespace kestrav {

enum class MarkerColour {
  None,
  Amber,  // the patch loads the file, and it changes the game silently
  Red,    // the patch refuses the file or cannot read it
};

struct ItemMarker {
  MarkerColour colour = MarkerColour::None;
  std::string tip;  // the item's findings, one line each
  bool operator==(const ItemMarker&) const = default;
};

// The colour a finding of this code gives its item; a code this table does not know is amber.
MarkerColour MarkerColourOf(const std::string& code);

// One marker per item, in list order: red when any of the item's findings is red, amber
// when it has findings that are all amber, none without findings. Off items have none.
std::vector<ItemMarker> MarkersOf(const std::vector<GrfItem>& items, const std::vector<ListFinding>& findings);

}  // namespace kestrav
