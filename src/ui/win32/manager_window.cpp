#include "ui/win32/manager_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "environment/window_geometry.h"
#include "grf/sprite_totals.h"
#include "platform/operation_error.h"
#include "ui/win32/fixed_form.h"
#include "ui/win32/main_menu.h"

namespace kestrav::win32 {
namespace {

constexpr const char* kWindowClass = "TformManager";
constexpr const char* kCreateFailed = "Cannot create the main window";

HWND CreateChild(const char* windowClass, const char* text, DWORD style, int x, int y, int width, int height,
                 HWND parent, UINT id) {
  HWND child = ::CreateWindowExA(0, windowClass, text, WS_CHILD | style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                 nullptr);
  if (!child) throw OperationError(kCreateFailed);
  return child;
}

// The files of one drop, handed back to the system at the end.
class DroppedFiles {
 public:
  explicit DroppedFiles(HDROP drop) : drop_(drop) {}
  ~DroppedFiles() { ::DragFinish(drop_); }
  DroppedFiles(const DroppedFiles&) = delete;
  DroppedFiles& operator=(const DroppedFiles&) = delete;

  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileA(drop_, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = ::DragQueryFileA(drop_, i, nullptr, 0);
      std::string path(length + 1, '\0');
      path.resize(::DragQueryFileA(drop_, i, path.data(), length + 1));
      if (!path.empty()) paths.push_back(std::move(path));
    }
    return paths;
  }

 private:
  HDROP drop_;
};

}  // namespace

ManagerWindow::ManagerWindow(Platform& platform)
    : platform_(platform), manager_(platform, *this), list_(manager_, platform.dialogs) {}

ManagerWindow::~ManagerWindow() { window_.reset(); }

void ManagerWindow::Create() {
  RegisterOwnedClass(kWindowClass, OwnedWindowProc<ManagerWindow>, kCreateFailed);
  // Tahoma 8 point like the other windows, at its pixel size on any screen: the layout of the
  // window is in fixed pixels.
  font_ = TryCreatePixelFont("Tahoma", 8);
  if (!font_) throw OperationError(kCreateFailed);
  accelerators_ = CreateMainAccelerators();
  UniqueMenu menu = CreateMainMenu();
  // The window reaches window_ through Attach while it is created.
  if (!::CreateWindowExA(0, kWindowClass, kApplicationTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                         CW_USEDEFAULT, kDefaultWindowWidth, kDefaultWindowHeight, nullptr, menu.get(),
                         ::GetModuleHandleA(nullptr), this)) {
    throw OperationError(kCreateFailed);
  }
  menu_ = menu.release();
  // Files dragged from the file manager arrive as WM_DROPFILES.
  ::DragAcceptFiles(handle(), TRUE);
  CreateControls();
  manager_.FormCreate();
}

void ManagerWindow::Show(int showCommand) {
  ::ShowWindow(handle(), showCommand);
  // The size the window opens with reaches the resize handler as every later size does.
  OnSize();
  ::UpdateWindow(handle());
}

void ManagerWindow::CreateControls() {
  list_.Create(handle(), kListId, font_.get());
  CreateSelectDirectoryButton();
  CreateStatusBar();
  OnSize();
}

void ManagerWindow::CreateSelectDirectoryButton() {
  button_ = CreateChild("BUTTON", "Select TTD Directory", WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON, 72, 144, 161,
                        25, handle(), CommandId(Command::SelectTtdDirectory));
  ::SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  ::SetWindowPos(button_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  toolTip_ = CreateToolTip(handle());
  if (!toolTip_ || !AddHint(toolTip_, handle(), button_, kSelectDirectoryHint)) {
    throw OperationError(kCreateFailed);
  }
}

void ManagerWindow::CreateStatusBar() {
  status_ = CreateChild(STATUSCLASSNAMEA, "", WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, handle(), kStatusBarId);
  ::SendMessageA(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  ApplyPanelWidths();
  SetStatusText(0, kTotalSpritesPanelText);
  SetStatusText(1, kActiveSpritesPanelText);
}

void ManagerWindow::ApplyPanelWidths() {
  if (!status_) return;
  // Right edges; -1 lets the last panel take the rest of the bar.
  int edges[2] = {panelWidths_[0], -1};
  ::SendMessageA(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

void ManagerWindow::OnSize() {
  if (!handle() || !status_ || ::IsIconic(handle())) return;
  ::SendMessageA(status_, WM_SIZE, 0, 0);  // the bar places itself at the bottom
  RECT client{};
  RECT bar{};
  ::GetClientRect(handle(), &client);
  ::GetWindowRect(status_, &bar);
  const int listHeight = std::max(0L, client.bottom - (bar.bottom - bar.top));
  ::MoveWindow(list_.handle(), 0, 0, client.right, listHeight, TRUE);
  // The width the window has now, maximised too (Bounds gives the restored one).
  RECT outer{};
  ::GetWindowRect(handle(), &outer);
  manager_.FormResize(outer.right - outer.left);
}

LRESULT ManagerWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETMINMAXINFO: {
      auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
      limits.ptMinTrackSize = POINT{kMinWindowWidth, kMinWindowHeight};
      return 0;
    }
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_SETFOCUS:
      if (list_.handle()) ::SetFocus(list_.handle());
      return 0;
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_LISTBOX) break;
      item.itemHeight = kListItemHeight;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_LISTBOX) break;
      list_.Draw(item);
      return TRUE;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_DROPFILES: {
      const DroppedFiles dropped(reinterpret_cast<HDROP>(wParam));
      // Not while a box or a form of the program is in front: its questions come first.
      if (::IsWindowEnabled(handle())) manager_.FormDropFiles(dropped.Paths());
      return 0;
    }
    case WM_CLOSE:
      if (manager_.FormClose() == CloseAction::Free) ::DestroyWindow(handle());
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(handle(), message, wParam, lParam);
}

void ManagerWindow::OnCommand(UINT id, UINT code, HWND control) {
  if (control && control == list_.handle()) {
    if (code == LBN_SELCHANGE) {
      manager_.ListKeyboardSelect(static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0)));
    }
    return;
  }
  if (control && (control != button_ || code != BN_CLICKED)) return;
  if (const auto command = CommandOfId(id)) manager_.RunCommand(*command);
}

void ManagerWindow::SetCommandEnabled(Command command, bool enabled) {
  if (command == Command::SelectTtdDirectory) {
    if (button_) ::EnableWindow(button_, enabled ? TRUE : FALSE);
    return;
  }
  if (!menu_) return;
  ::EnableMenuItem(menu_, CommandId(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  if (OnMenuBar(command) && handle()) ::DrawMenuBar(handle());
}

bool ManagerWindow::IsCommandEnabled(Command command) const {
  if (command == Command::SelectTtdDirectory) return button_ && ::IsWindowEnabled(button_);
  if (!menu_) return false;
  const UINT state = ::GetMenuState(menu_, CommandId(command), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void ManagerWindow::ShowSelectDirectoryButton(bool shown) {
  if (!button_) return;
  ::SetWindowPos(button_, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void ManagerWindow::ListChanged() { list_.Show(manager_.listGrfFiles); }

void ManagerWindow::SetStatusText(int panel, const std::string& text) {
  if (status_) ::SendMessageA(status_, SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

void ManagerWindow::SetMarkers(const std::vector<ItemMarker>& markers) { list_.SetMarkers(markers); }

int ManagerWindow::ItemAtPoint(int x, int y, bool pastEnd) const { return list_.ItemAtPoint(x, y, pastEnd); }

bool ManagerWindow::InCheckBox(int x, int y) const { return GrfListBox::InCheckBox(x, y); }

void ManagerWindow::DragStarted() { list_.DragStarted(); }

void ManagerWindow::DragEnded() { list_.DragEnded(); }

void ManagerWindow::SetStatusPanelWidth(int panel, int width) {
  if (panel < 0 || panel > 1) return;
  panelWidths_[panel] = width;
  ApplyPanelWidths();
}

WindowBounds ManagerWindow::Bounds() const {
  RECT rect{};
  if (!handle()) return {};
  if (::IsIconic(handle()) || ::IsZoomed(handle())) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(handle(), &placement);
    rect = placement.rcNormalPosition;
  } else {
    ::GetWindowRect(handle(), &rect);
  }
  return WindowBounds{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void ManagerWindow::SetBounds(const WindowBounds& bounds) {
  if (handle()) {
    ::SetWindowPos(handle(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void ManagerWindow::RequestClose() {
  if (handle()) ::SendMessageA(handle(), WM_CLOSE, 0, 0);
}

void ManagerWindow::EndApplication() { ::PostQuitMessage(0); }

}  // namespace kestrav::win32
