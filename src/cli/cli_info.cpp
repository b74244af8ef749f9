#include <functional>
#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/unseen_view.h"
#include "environment/settings_store.h"
#include "platform/memory_registry.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

// The one box the file information command shows: the report, or an error.
class ReportDialogs : public Dialogs {
 public:
  Answer ShowMessage(MessageKind kind, const std::string& text, MessageButtons) override {
    kind_ = kind;
    text_ = text;
    return Answer::Ok;
  }
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&,
                                             const std::function<bool(const std::string&)>&) override {
    return std::nullopt;
  }
  bool IsReport() const { return kind_ == MessageKind::Information; }
  const std::string& text() const { return text_; }

 private:
  MessageKind kind_ = MessageKind::Error;
  std::string text_;
};

}  // namespace

// info TTD_DIR ENTRY: the file information of the entry, as the window shows it.
int RunInfoCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                   std::ostream& err) {
  if (args.size() != 2) return kCliUsage;
  RequireDirectory(*adapters.files, args[0]);
  MemoryRegistry registry;
  SettingsStore settings(registry);
  settings.Open(true);
  settings.WriteString(setting::kTtdPath, args[0]);
  ReportDialogs dialogs;
  Platform platform{*adapters.files, registry,         dialogs,         *adapters.processes,
                    *adapters.xml,   *adapters.screen, *adapters.locale, *adapters.shell};
  UnseenView view;
  TformManager manager(platform, view);
  manager.listGrfFiles.Add(args[1], GrfState::Off);
  manager.listGrfFiles.Select(0);
  manager.butnFileInfoClick();
  (dialogs.IsReport() ? out : err) << dialogs.text() << "\n";
  return dialogs.IsReport() ? kCliOk : kCliFailed;
}

}  // namespace kestrav
