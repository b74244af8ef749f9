#pragma once
// The main window TformManager on screen: caption, menu and shortcuts, the list, the button
// over it and the status bar. It turns messages into the controller's handlers and does
// what the controller asks of its view; the decisions are the controller's.
#include <windows.h>

#include "platform/platform.h"
#include "ui/form_manager.h"
#include "ui/manager_view.h"
#include "ui/win32/grf_list_box.h"
#include "ui/win32/owned_window.h"
#include "ui/win32/window_handles.h"

namespace kestrav::win32 {

inline constexpr const char* kApplicationTitle = "Kestrav";
inline constexpr const char* kSelectDirectoryHint =
    "To work with this tool you need to select your TTD directory (with TTDPatch in it)";

// Control ids of the main window's children.
inline constexpr UINT kListId = 10;
inline constexpr UINT kStatusBarId = 11;

class ManagerWindow : public ManagerView {
 public:
  explicit ManagerWindow(Platform& platform);
  ~ManagerWindow() override;
  ManagerWindow(const ManagerWindow&) = delete;
  ManagerWindow& operator=(const ManagerWindow&) = delete;

  // Creates the window and its controls hidden, then runs FormCreate: its place and size
  // and the first load, whose message boxes all come before the window is seen.
  void Create();
  void Show(int showCommand);

  HWND handle() const { return window_.get(); }
  HWND list() const { return list_.handle(); }
  HWND statusBar() const { return status_; }
  HWND selectDirectoryButton() const { return button_; }
  HWND markerTip() const { return list_.markerTip(); }
  HACCEL accelerators() const { return accelerators_.get(); }
  TformManager& manager() { return manager_; }

  // ManagerView.
  void SetCommandEnabled(Command command, bool enabled) override;
  bool IsCommandEnabled(Command command) const override;
  void ShowSelectDirectoryButton(bool shown) override;
  void ListChanged() override;
  void SetStatusText(int panel, const std::string& text) override;
  void SetMarkers(const std::vector<ItemMarker>& markers) override;
  int ItemAtPoint(int x, int y, bool pastEnd) const override;
  bool InCheckBox(int x, int y) const override;
  void DragStarted() override;
  void DragEnded() override;
  void SetStatusPanelWidth(int panel, int width) override;
  WindowBounds Bounds() const override;
  void SetBounds(const WindowBounds& bounds) override;
  void RequestClose() override;
  void EndApplication() override;

 private:
  friend LRESULT CALLBACK OwnedWindowProc<ManagerWindow>(HWND, UINT, WPARAM, LPARAM);
  void Attach(HWND window) { window_.reset(window); }
  void Detach() {
    (void)window_.release();  // being destroyed already
    button_ = toolTip_ = status_ = nullptr;
    menu_ = nullptr;
  }
  Dialogs& ErrorDialogs() { return platform_.dialogs; }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(UINT id, UINT code, HWND control);
  void OnSize();
  void CreateControls();
  void CreateSelectDirectoryButton();
  void CreateStatusBar();
  void ApplyPanelWidths();

  Platform& platform_;
  TformManager manager_;
  GrfListBox list_;
  UniqueWindow window_;
  HWND button_ = nullptr;
  HWND toolTip_ = nullptr;
  HWND status_ = nullptr;
  HMENU menu_ = nullptr;  // the window's own: destroyed with it
  UniqueAccelerators accelerators_;
  UniqueFont font_;
  int panelWidths_[2] = {150, 150};
};

}  // namespace kestrav::win32
