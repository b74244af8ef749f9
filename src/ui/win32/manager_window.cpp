#include "ui/win32/manager_window.h"

#include <commctrl.h>

#include <algorithm>

#include "environment/window_geometry.h"
#include "grf/sprite_totals.h"
#include "platform/operation_error.h"
#include "ui/win32/fixed_form.h"
#include "ui/win32/main_menu.h"
#include "ui/win32/resource_ids.h"

namespace kestrav::win32 {
namespace {

constexpr const char* kWindowClass = "TformManager";

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(KESTRAV_ICON));
  windowClass.hIconSm = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(KESTRAV_ICON),
                                                        IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                        ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  if (!::RegisterClassExA(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw OperationError("Cannot create the main window");
  }
}

HWND CreateChild(const char* windowClass, const char* text, DWORD style, int x, int y, int width, int height,
                 HWND parent, UINT id) {
  HWND child = ::CreateWindowExA(0, windowClass, text, WS_CHILD | style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                 nullptr);
  if (!child) throw OperationError("Cannot create the main window");
  return child;
}

}  // namespace

ManagerWindow::ManagerWindow(Platform& platform)
    : platform_(platform), manager_(platform, *this), list_(manager_, platform.dialogs) {}

ManagerWindow::~ManagerWindow() {
  if (window_) ::DestroyWindow(window_);
}

void ManagerWindow::Create() {
  RegisterWindowClass(OwnedWindowProc<ManagerWindow>);
  // Tahoma 8 point like the other windows, at its pixel size on any screen: the layout of the
  // window is in fixed pixels.
  font_ = TryCreatePixelFont("Tahoma", 8);
  if (!font_) throw OperationError("Cannot create the main window");
  accelerators_ = CreateMainAccelerators();
  UniqueMenu menu = CreateMainMenu();
  window_ = ::CreateWindowExA(0, kWindowClass, kApplicationTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, kDefaultWindowWidth, kDefaultWindowHeight, nullptr,
                              menu.get(), ::GetModuleHandleA(nullptr), this);
  if (!window_) throw OperationError("Cannot create the main window");
  menu_ = menu.release();
  CreateControls();
  manager_.FormCreate();
}

void ManagerWindow::Show(int showCommand) {
  ::ShowWindow(window_, showCommand);
  // The size the window opens with reaches the resize handler as every later size does.
  OnSize();
  ::UpdateWindow(window_);
}

void ManagerWindow::CreateControls() {
  list_.Create(window_, kListId, font_.get());
  CreateSelectDirectoryButton();
  CreateStatusBar();
  OnSize();
}

void ManagerWindow::CreateSelectDirectoryButton() {
  button_ = CreateChild("BUTTON", "Select TTD Directory", WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON, 72, 144, 161,
                        25, window_, CommandId(Command::SelectTtdDirectory));
  ::SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  ::SetWindowPos(button_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  toolTip_ = CreateToolTip(window_);
  if (!toolTip_ || !AddHint(toolTip_, window_, button_, kSelectDirectoryHint)) {
    throw OperationError("Cannot create the main window");
  }
}

void ManagerWindow::CreateStatusBar() {
  status_ = CreateChild(STATUSCLASSNAMEA, "", WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window_, kStatusBarId);
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
  if (!window_ || !status_ || ::IsIconic(window_)) return;
  ::SendMessageA(status_, WM_SIZE, 0, 0);  // the bar places itself at the bottom
  RECT client{};
  RECT bar{};
  ::GetClientRect(window_, &client);
  ::GetWindowRect(status_, &bar);
  const int listHeight = std::max(0L, client.bottom - (bar.bottom - bar.top));
  ::MoveWindow(list_.handle(), 0, 0, client.right, listHeight, TRUE);
  // The width the window has now, maximised too (Bounds gives the restored one).
  RECT outer{};
  ::GetWindowRect(window_, &outer);
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
    case WM_CLOSE:
      if (manager_.FormClose() == CloseAction::Free) ::DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(window_, message, wParam, lParam);
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
  if (OnMenuBar(command) && window_) ::DrawMenuBar(window_);
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
  if (!window_) return {};
  if (::IsIconic(window_) || ::IsZoomed(window_)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window_, &placement);
    rect = placement.rcNormalPosition;
  } else {
    ::GetWindowRect(window_, &rect);
  }
  return WindowBounds{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void ManagerWindow::SetBounds(const WindowBounds& bounds) {
  if (window_) {
    ::SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void ManagerWindow::RequestClose() {
  if (window_) ::SendMessageA(window_, WM_CLOSE, 0, 0);
}

void ManagerWindow::EndApplication() { ::PostQuitMessage(0); }

}  // namespace kestrav::win32
