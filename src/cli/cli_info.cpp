#include <ostream>

#include "cli/cli.h"
#include "cli/console_dialogs.h"
#include "cli/unseen_view.h"
#include "environment/settings_store.h"
#include "platform/memory_registry.h"
#include "ui/form_manager.h"

namespace kestrav {

// info TTD_DIR ENTRY: the file information of the entry, as the window shows it.
int RunInfoCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                   std::ostream& err) {
  if (args.size() != 2) return kCliUsage;
  RequireDirectory(*adapters.files, args[0]);
  MemoryRegistry registry;
  SettingsStore settings(registry);
  settings.Open(true);
  settings.WriteString(setting::kTtdPath, args[0]);
  ConsoleDialogs dialogs(err);
  Platform platform{*adapters.files, registry,         dialogs,         *adapters.processes,
                    *adapters.xml,   *adapters.screen, *adapters.locale, *adapters.shell};
  UnseenView view;
  TformManager manager(platform, view);
  manager.listGrfFiles.Add(args[1], GrfState::Off);
  const FileInformation information = manager.FileInformationOf(0);
  (information.found ? out : err) << information.text << "\n";
  return information.found ? kCliOk : kCliFailed;
}

}  // namespace kestrav
