// check TTD_DIR: what the patch will refuse or override in the GRF list, told before the game
// starts, from the analyses of the load itself.
#include <cstdint>
#include <map>
#include <ostream>

#include "cli/cli.h"
#include "environment/settings_store.h"
#include "grf/sprite_totals.h"
#include "model/config_file.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr int kHighestGrfVersion = 7;

class Findings {
 public:
  explicit Findings(std::ostream& out) : out_(out) {}
  void Add(const std::string& path, const char* code, const std::string& why) {
    out_ << path << '\t' << code << '\t' << why << '\n';
    any_ = true;
  }
  bool Any() const { return any_; }

 private:
  std::ostream& out_;
  bool any_ = false;
};

// The configuration's lines whose files do not exist: the load drops them.
void CheckConfigLines(FileSystem& files, const std::string& ttdDir, Findings& findings) {
  auto lines = ReadConfigLines(files, ttdDir);
  if (!lines) return;
  CleanConfigLines(*lines);
  for (const std::string& line : *lines) {
    const GrfEntry entry = ParseConfigLine(line);
    if (!files.FileExists(EntryFile(ttdDir, entry.path))) {
      findings.Add(entry.path, "missing", "the configuration names this file, but it does not exist");
    }
  }
}

void CheckFile(const std::string& path, const GrfInfo& info, Findings& findings) {
  if (!info.opened) {
    findings.Add(path, "missing", "the file cannot be read");
    return;
  }
  if (info.secondContainer) {
    findings.Add(path, "not-a-grf",
                 "the file is in the second GRF container format, which the patch cannot read at all "
                 "(Kestrav sees it as empty)");
    return;  // whatever else would follow from seeing it empty
  }
  if (!info.announcedSprites) {
    findings.Add(path, "not-a-grf",
                 "the file does not begin with the record that gives its number of sprites, as the patch "
                 "expects of every graphics file");
  } else if (static_cast<std::uint32_t>(info.totalSprites - 1) > *info.announcedSprites) {
    findings.Add(path, "sprite-count",
                 "the file holds " + std::to_string(info.totalSprites - 1) + " sprites after its first record, "
                     "which announces only " + std::to_string(*info.announcedSprites));
  }
  if (info.action8.empty()) {
    findings.Add(path, "no-action8", "the file has no Action 8 record (its GRF ID), without which the patch refuses it");
  } else if (info.action8.back().version > kHighestGrfVersion) {
    findings.Add(path, "grf-version",
                 "the file is of GRF version " + std::to_string(info.action8.back().version) +
                     ", above 7, the highest the patch reads");
  }
  if (!info.endedCleanly) {
    findings.Add(path, "truncated", "the file ends inside a sprite or without its terminating zero size: it is cut short");
  }
}

int Check(TformManager& manager, const std::string& ttdDir, FileSystem& files, std::ostream& out) {
  Findings findings(out);
  const ListingsHeld held(files);  // each directory read once, however recently it changed
  CheckConfigLines(files, ttdDir, findings);
  const auto& items = manager.listGrfFiles.Items();
  std::map<std::string, std::string> firstWithId;
  for (std::size_t i = 0; i < items.size() && i < manager.recountInfos.size(); ++i) {
    if (items[i].state == GrfState::Off) continue;  // the patch never reads it
    const std::string path = EntryPath(items[i].text);
    const GrfInfo& info = manager.recountInfos[i];
    CheckFile(path, info, findings);
    if (info.action8.empty()) continue;
    const std::string& id = info.action8.back().grfId;
    const auto [first, isFirst] = firstWithId.emplace(id, path);
    if (!isFirst) {
      findings.Add(path, "duplicate-id",
                   "its GRF ID " + id + " is also that of " + first->second +
                       ": the patch loads both, and this one overrides the earlier");
    }
  }
  const std::int64_t active = manager.ActiveSprites();
  if (active > kActiveSpriteLimit) {
    findings.Add(ttdDir, "sprite-limit",
                 "the active GRF files hold " + std::to_string(active) + " sprites, more than the 11483 the patch "
                     "can load");
  }
  return findings.Any() ? kCliFailed : kCliOk;
}

}  // namespace

// check TTD_DIR [--inactive | --no-inactive]
int RunCheckCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                    std::ostream& err) {
  return RunOnLoadedList(args, adapters, err, [&](TformManager& manager, Platform& platform) {
    return Check(manager, ReadTtdPath(platform.registry), *adapters.files, out);
  });
}

}  // namespace kestrav
