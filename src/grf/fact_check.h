#pragma once
// The rules of a list's check that follow from what its files change: overrides of the same
// vehicles, cargo slots and bridges, deactivations, load-order messages, parameters outside
// their declared limits and the patch's rules for the Action 8 record.
#include <optional>
#include <vector>

#include "environment/installation_detection.h"
#include "grf/grf_info.h"
#include "grf/list_check.h"
#include "model/grf_check_list.h"

namespace kestrav {

// Appends the findings of the Active and Inactive items; infos[i] belongs to items[i].
void CheckGrfFacts(const std::vector<GrfItem>& items, const std::vector<GrfInfo>& infos,
                   std::optional<TtdEdition> edition, std::vector<ListFinding>& findings);

// Feature names as a player reads them ("trains", "road vehicles", ...; "feature 0C").
std::string FeatureName(std::uint8_t feature);

}  // namespace kestrav
