#pragma once
// A main window view that records what the controller asked of it. Its list has items 13
// pixels high from the top of a client area of 300 x 300 pixels, with check boxes in the
// first 16 pixels.
#include <map>
#include <string>

#include "model/grf_check_list.h"
#include "ui/manager_view.h"

namespace kestrav::test {

class RecordingView : public ManagerView {
 public:
  void SetCommandEnabled(Command command, bool enabled) override { enabled_[command] = enabled; }
  bool IsCommandEnabled(Command command) const override { return !enabled_.contains(command) || enabled_.at(command); }
  void ShowSelectDirectoryButton(bool shown) override { selectDirectoryShown = shown; }
  void ListChanged() override { ++listChanges; }
  int ItemAtPoint(int x, int y, bool pastEnd) const override {
    if (x < 0 || y < 0 || x >= 300 || y >= 300) return -1;
    const int count = list ? list->Count() : 0;
    return y / 13 < count ? y / 13 : pastEnd ? count : -1;
  }
  bool InCheckBox(int x, int /*y*/) const override { return x >= 0 && x < 16; }
  void DragStarted() override { dragging = true; }
  void DragEnded() override { dragging = false; }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void SetStatusPanelWidth(int panel, int width) override { panelWidth[panel] = width; }
  WindowBounds Bounds() const override { return bounds; }
  void SetBounds(const WindowBounds& b) override { bounds = b; }
  void RequestClose() override {}
  void EndApplication() override { ended = true; }

  const GrfCheckList* list = nullptr;  // the items the view shows
  bool selectDirectoryShown = false, dragging = false, ended = false;
  int listChanges = 0;
  std::map<int, std::string> status;
  std::map<int, int> panelWidth;
  WindowBounds bounds;

 private:
  std::map<Command, bool> enabled_;
};

}  // namespace kestrav::test
