#include <functional>
#include <map>
#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/console_dialogs.h"
#include "environment/settings_store.h"
#include "platform/memory_registry.h"
#include "platform/operation_error.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

// The main window as far as a console can show it: only the status bar texts are kept.
class ConsoleView : public ManagerView {
 public:
  void SetCommandEnabled(Command command, bool enabled) override { enabled_[command] = enabled; }
  bool IsCommandEnabled(Command command) const override {
    const auto it = enabled_.find(command);
    return it == enabled_.end() || it->second;
  }
  void ShowSelectDirectoryButton(bool) override {}
  void ListChanged() override {}
  void SetStatusText(int panel, const std::string& text) override { status_[panel] = text; }
  std::string StatusText(int panel) const { return status_.at(panel); }

 private:
  std::map<Command, bool> enabled_;
  std::map<int, std::string> status_{{0, "Total Sprites:"}, {1, "Active Sprites:"}};
};

struct LoadOptions {
  std::string ttdDir;
  std::optional<bool> inactiveAvailable;  // nothing: ask the patch
  bool yes = false;                       // continue past the sprite-limit question
};

std::optional<LoadOptions> ParseLoadOptions(const std::vector<std::string>& args, bool acceptsYes) {
  LoadOptions options;
  bool haveDir = false;
  for (const auto& arg : args) {
    if (arg == "--inactive" || arg == "--no-inactive") {
      if (options.inactiveAvailable) return std::nullopt;
      options.inactiveAvailable = arg == "--inactive";
    } else if (arg == "--yes" && acceptsYes) {
      options.yes = true;
    } else if (arg.rfind("--", 0) == 0 || haveDir) {
      return std::nullopt;
    } else {
      options.ttdDir = arg;
      haveDir = true;
    }
  }
  if (!haveDir) return std::nullopt;
  return options;
}

// Loads the list of options.ttdDir as the window does at start-up, with settings held in
// memory so that the user's own are never read or changed; then saves it when asked.
int LoadList(const std::vector<std::string>& args, bool save, SystemAdapters& adapters, std::ostream& out,
             std::ostream& err, const LoadedListUse* use = nullptr) {
  const auto options = ParseLoadOptions(args, save);
  if (!options) return kCliUsage;
  RequireDirectory(*adapters.files, options->ttdDir);
  MemoryRegistry registry;
  ConsoleDialogs dialogs(err);
  if (save) {
    dialogs.SetAnswer(Question::OverwriteConfig, Answer::Yes);
    if (options->yes) dialogs.SetAnswer(Question::SpriteLimit, Answer::Yes);
  }
  Platform platform{*adapters.files, registry,         dialogs,         *adapters.processes,
                    *adapters.xml,   *adapters.screen, *adapters.locale, *adapters.shell};
  ConsoleView view;
  TformManager manager(platform, view);
  if (options->inactiveAvailable) {
    manager.listGrfFiles.inactiveAvailable = *options->inactiveAvailable;
    manager.probePatchVersion = false;
  }
  try {
    SettingsStore settings(registry);
    settings.Open(true);
    settings.WriteString(setting::kTtdPath, options->ttdDir);
    manager.InitializeGrf();
    if (use) return (*use)(manager, platform);
    // A script must learn that nothing was written.
    if (save) return manager.butnGRFSaveClick() == SaveOutcome::Written ? kCliOk : kCliFailed;
  } catch (const OperationError& error) {
    err << error.what() << "\n";
    return kCliFailed;
  }
  std::string listing;
  for (const auto& item : manager.listGrfFiles.Items()) {
    listing += std::string(StateWord(item.state)) + "\t" + item.text + "\n";
  }
  listing += view.StatusText(0) + "\n" + view.StatusText(1) + "\n";
  out << listing;
  return kCliOk;
}

}  // namespace

// list TTD_DIR [--inactive | --no-inactive]
int RunListCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                   std::ostream& err) {
  return LoadList(args, false, adapters, out, err);
}

int RunOnLoadedList(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& err,
                    const LoadedListUse& use) {
  return LoadList(args, false, adapters, err, err, &use);  // use prints what it prints itself
}

// save TTD_DIR [--inactive | --no-inactive] [--yes]
int RunSaveCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                   std::ostream& err) {
  return LoadList(args, true, adapters, out, err);
}

}  // namespace kestrav
