#pragma once
// The main window of a console command that shows nothing of it: every command enabled,
// nothing drawn.
#include <string>

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

}  // namespace kestrav
