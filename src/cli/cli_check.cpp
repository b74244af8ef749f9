// check TTD_DIR: what the patch will refuse or override in the GRF list, told before the game
// starts, from the analyses of the load itself.
#include <ostream>

#include "cli/cli.h"
#include "environment/settings_store.h"
#include "grf/list_check.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

int Check(TformManager& manager, const std::string& ttdDir, FileSystem& files, std::ostream& out) {
  const ListingsHeld held(files);  // each directory read once, however recently it changed
  std::vector<ListFinding> findings = CheckConfigLines(files, ttdDir);
  for (const auto& more : {manager.ItemFindings(), CheckSpriteLimit(manager.ActiveSprites(), ttdDir)}) {
    findings.insert(findings.end(), more.begin(), more.end());
  }
  for (const ListFinding& finding : findings) {
    out << finding.path << '\t' << finding.code << '\t' << finding.text << '\n';
  }
  return findings.empty() ? kCliOk : kCliFailed;
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
