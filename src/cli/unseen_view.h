#pragma once
// The windows of a console command that shows nothing of them: every command enabled,
// nothing drawn, no dialog run.
#include <string>

#include "log/log_view.h"
#include "ui/manager_view.h"

namespace kestrav {

class UnseenView : public ManagerView {
 public:
  void SetCommandEnabled(Command, bool) override {}
  bool IsCommandEnabled(Command) const override { return true; }
  void ShowSelectDirectoryButton(bool) override {}
  void ListChanged() override {}
  void SetStatusText(int, const std::string&) override {}
};

class UnseenLogView : public LogView {
 public:
  void SelectFormat(int) override {}
  void SetProgressMax(int) override {}
  void SetProgress(int) override {}
  void RunModal() override {}
  void Close() override {}
};

}  // namespace kestrav
