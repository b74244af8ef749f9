#include <ostream>

#include "cli/cli.h"
#include "cli/unseen_view.h"
#include "log/form_log.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

// The log creator without a window: the save dialog answers with the file named on the
// command line, every other box goes where the list's boxes go.
class SaveToDialogs : public Dialogs {
 public:
  SaveToDialogs(Dialogs& boxes, std::string file) : boxes_(boxes), file_(std::move(file)) {}
  Answer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override {
    return boxes_.ShowMessage(kind, text, buttons);
  }
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                             const std::function<bool(const std::string&)>& accept) override {
    return boxes_.BrowseForFolder(title, lastDirectory, accept);
  }
  std::optional<std::string> SaveFile(const FileDialogRequest&) override { return file_; }

 private:
  Dialogs& boxes_;
  std::string file_;
};

}  // namespace

// log TTD_DIR (--txt | --html) OUT [--inactive | --no-inactive]
int RunLogCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& /*out*/,
                  std::ostream& err) {
  std::vector<std::string> listArgs;
  std::string format, file;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--txt" && args[i] != "--html") {
      listArgs.push_back(args[i]);
    } else if (!format.empty() || i + 1 == args.size() || args[i + 1].starts_with("--")) {
      return kCliUsage;
    } else {
      format = args[i];
      file = args[++i];
    }
  }
  if (format.empty()) return kCliUsage;
  return RunOnLoadedList(listArgs, adapters, err, [&](TformManager& manager, Platform& platform) {
    SaveToDialogs dialogs(platform.dialogs, file);
    Platform logPorts{platform.files, platform.registry, dialogs,         platform.processes,
                      platform.xml,   platform.screen,   platform.locale, platform.shell};
    UnseenLogView view;
    TformLog log(logPorts, view, manager);
    if (format == "--txt") {
      log.TXT();
    } else {
      log.HTML();
    }
    return kCliOk;
  });
}

}  // namespace kestrav
