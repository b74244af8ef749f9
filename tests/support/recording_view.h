#pragma once
// A main window view that records what the controller asked of it.
#include <map>
#include <string>

#include "ui/manager_view.h"

namespace kestrav::test {

class RecordingView : public ManagerView {
 public:
  void SetCommandEnabled(Command command, bool enabled) override { enabled_[command] = enabled; }
  bool IsCommandEnabled(Command command) const override {
    const auto it = enabled_.find(command);
    return it == enabled_.end() ? true : it->second;
  }
  void ShowSelectDirectoryButton(bool shown) override { selectDirectoryShown = shown; }
  void ListChanged() override { ++listChanges; }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }

  bool selectDirectoryShown = false;
  int listChanges = 0;
  std::map<int, std::string> status;

 private:
  std::map<Command, bool> enabled_;
};

}  // namespace kestrav::test
