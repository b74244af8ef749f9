#include <ostream>

#include "cli/cli.h"
#include "cli/unseen_view.h"
#include "cli/console_dialogs.h"
#include "environment/settings_store.h"
#include "platform/memory_registry.h"
#include "platform/operation_error.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

// The open dialog gives the file of the command line; the replace questions and the
// delete question get the answers of the switches.
class InstallDialogs : public ConsoleDialogs {
 public:
  InstallDialogs(std::ostream& err, bool replace, bool deleteSource) : ConsoleDialogs(err) {
    for (const Question question :
         {Question::ReplaceWithNewer, Question::ReplaceWithOlder, Question::ReplaceWithSame}) {
      SetAnswer(question, replace ? Answer::Yes : Answer::No);
    }
    SetAnswer(Question::DeleteSource, deleteSource ? Answer::Yes : Answer::No);
  }
  std::optional<std::string> OpenFile(const FileDialogRequest&) override { return file; }

  std::string file;
};

}  // namespace

// install TTD_DIR FILE... [--replace] [--delete-source]
int RunInstallCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& /*out*/,
                      std::ostream& err) {
  bool replace = false, deleteSource = false;
  std::vector<std::string> paths;  // TTD_DIR, then the files
  for (const auto& arg : args) {
    if (arg == "--replace") {
      replace = true;
    } else if (arg == "--delete-source") {
      deleteSource = true;
    } else if (arg.starts_with("--")) {
      return kCliUsage;
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.size() < 2) return kCliUsage;
  RequireDirectory(*adapters.files, paths[0]);
  MemoryRegistry registry;
  InstallDialogs dialogs(err, replace, deleteSource);
  Platform platform{*adapters.files, registry,         dialogs,          *adapters.processes,
                    *adapters.xml,   *adapters.screen, *adapters.locale, *adapters.shell};
  UnseenView view;
  TformManager manager(platform, view);
  int status = kCliOk;
  try {
    SettingsStore settings(registry);
    settings.Open(true);
    settings.WriteString(setting::kTtdPath, paths[0]);
    for (auto file = paths.begin() + 1; file != paths.end(); ++file) {
      dialogs.file = *file;
      if (!manager.butnInstallGrfClick()) status = kCliFailed;
    }
  } catch (const OperationError& error) {
    err << error.what() << "\n";
    return kCliFailed;
  }
  return status;
}

}  // namespace kestrav
