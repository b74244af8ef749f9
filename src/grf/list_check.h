#pragma once
// What the patch will refuse or override in a GRF list, told before the game starts: the
// rules behind every finding, for the window's markers and the console's check alike.
#include <cstdint>
#include <string>
#include <vector>

#include "environment/installation_detection.h"
#include "grf/grf_info.h"
#include "model/grf_check_list.h"
#include "platform/file_system.h"

namespace kestrav {

// The entry of a finding that belongs to no item: a configuration line the load dropped, or
// the list as a whole.
inline constexpr int kNoEntry = -1;

struct ListFinding {
  int entry = kNoEntry;  // the item's index in the list
  std::string path;      // the entry's path, or the TTD directory for the whole list
  std::string code;      // "missing", "not-a-grf", ...
  std::string text;      // why, in words a player understands
  bool operator==(const ListFinding&) const = default;
};

// The findings of the Active and Inactive items, in list order; infos[i] is the analysis of
// items[i] (an item without one counts as unreadable). Off items are never looked at: the
// patch does not read them. edition is that of the configuration file the list belongs to;
// without one, what depends on it stays open.
std::vector<ListFinding> CheckGrfItems(const std::vector<GrfItem>& items, const std::vector<GrfInfo>& infos,
                                       std::optional<TtdEdition> edition = std::nullopt);

// The edition a configuration file belongs to, by its name: newgrfw.cfg Windows, newgrf.cfg DOS.
std::optional<TtdEdition> ConfigEdition(const std::string& configPath);

// The configuration lines of ttdDir whose files do not exist (the load drops them).
std::vector<ListFinding> CheckConfigLines(FileSystem& files, const std::string& ttdDir);

// More active sprites than the patch can load: the finding for the whole list, or none.
std::vector<ListFinding> CheckSpriteLimit(std::int64_t activeSprites, const std::string& ttdDir);

}  // namespace kestrav
