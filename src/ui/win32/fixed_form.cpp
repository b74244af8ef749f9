#include "ui/win32/fixed_form.h"

#include <commctrl.h>

#include <cstring>

#include "platform/operation_error.h"

namespace kestrav::win32 {
namespace {

constexpr const char* kFormClass = "KestravFixedForm";
constexpr const char* kCreateFailed = "Cannot create a window";

bool IsGroupBox(const char* windowClass, DWORD style) {
  return ::lstrcmpiA(windowClass, WC_BUTTONA) == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
}

// A disabled control and a group box take no mouse input: it goes to the window below.
bool MousePassesThrough(HWND control) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(control, GWL_STYLE));
  char windowClass[16] = {};
  ::GetClassNameA(control, windowClass, sizeof windowClass);
  return (style & WS_DISABLED) || IsGroupBox(windowClass, style);
}

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

UniqueFont CreateTahoma8(bool bold) { return CreatePixelFont("Tahoma", 8, bold); }

UniqueFont TryCreatePixelFont(const char* face, int points, bool bold, bool underline) {
  return UniqueFont(::CreateFontA(-::MulDiv(points, 96, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                                  underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

UniqueFont CreatePixelFont(const char* face, int points, bool bold, bool underline) {
  UniqueFont font = TryCreatePixelFont(face, points, bold, underline);
  if (!font) throw OperationError(kCreateFailed);
  return font;
}

FixedForm::FixedForm(Dialogs& dialogs, const char* caption, HWND owner, int clientWidth, int clientHeight,
                     FormPlacement placement)
    : dialogs_(dialogs), owner_(owner), font_(CreateTahoma8()), placement_(placement) {
  RegisterOwnedClass(kFormClass, OwnedWindowProc<FixedForm>, kCreateFailed);
  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  // The window reaches window_ through Attach while it is created.
  if (!::CreateWindowExA(kFormExStyle, kFormClass, caption, kFormStyle, 0, 0, frame.right - frame.left,
                         frame.bottom - frame.top, owner, nullptr, ::GetModuleHandleA(nullptr), this)) {
    throw OperationError(kCreateFailed);
  }
  toolTip_ = CreateToolTip(handle());
  if (!toolTip_) throw OperationError(kCreateFailed);
  // Long hints wrap instead of running off the screen.
  ::SendMessageA(toolTip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

FixedForm::~FixedForm() { window_.reset(); }

HWND FixedForm::Add(const char* windowClass, const char* text, DWORD style, PixelRect rect, UINT id, const char* hint,
                    HWND parent, DWORD exStyle) {
  // A group box paints only its frame: the form paints what lies inside it.
  if (IsGroupBox(windowClass, style)) exStyle |= WS_EX_TRANSPARENT;
  HWND control = ::CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                   rect.width, rect.height, parent ? parent : handle(),
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                   nullptr);
  if (!control) throw OperationError(kCreateFailed);
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  if (hint) Hint(control, hint);
  return control;
}

HWND CreateToolTip(HWND owner) {
  return ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

bool AddHint(HWND toolTip, HWND owner, HWND control, const char* hint) {
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(hint);
  if (MousePassesThrough(control)) {
    // The owner gets the mouse over this control: the hint goes with its rectangle there.
    tool.uFlags = TTF_SUBCLASS;
    ::GetWindowRect(control, &tool.rect);
    ::MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&tool.rect), 2);
  }
  return ::SendMessageA(toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

void FixedForm::Hint(HWND control, const char* hint) {
  if (!AddHint(toolTip_, handle(), control, hint)) throw OperationError(kCreateFailed);
}

void FixedForm::HintArea(PixelRect rect, UINT id, const char* hint) {
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = handle();
  tool.uId = id;
  tool.rect = RECT{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
  tool.lpszText = const_cast<char*>(hint);
  if (!::SendMessageA(toolTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
    throw OperationError(kCreateFailed);
  }
}

PixelRect FixedForm::FitText(const char* text, HFONT font, int left, int top) const {
  const WindowDc dc(handle());
  if (!dc.get()) throw OperationError(kCreateFailed);
  const SelectedObject selected(dc.get(), font);
  SIZE size{};
  if (!::GetTextExtentPoint32A(dc.get(), text, static_cast<int>(std::strlen(text)), &size)) {
    throw OperationError(kCreateFailed);
  }
  return PixelRect{left, top, size.cx, size.cy};
}

void FixedForm::SetDefaultAndCancel(UINT defaultId, UINT cancelId) {
  defaultId_ = defaultId;
  cancelId_ = cancelId;
}

void FixedForm::Place() {
  RECT frame{};
  ::GetWindowRect(handle(), &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (placement_ == FormPlacement::OwnerCenter && owner_ && ::IsWindow(owner_)) ::GetWindowRect(owner_, &area);
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  ::SetWindowPos(handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FixedForm::ShowModal() {
  if (modal_) return;
  Place();
  const bool ownerWasEnabled = owner_ && ::IsWindowEnabled(owner_);
  if (ownerWasEnabled) ::EnableWindow(owner_, FALSE);
  modal_ = true;
  ::ShowWindow(handle(), SW_SHOWNORMAL);
  ::SetForegroundWindow(handle());
  HWND first = ::GetNextDlgTabItem(handle(), nullptr, FALSE);
  if (first) ::SetFocus(first);
  MSG message{};
  while (modal_ && ::IsWindowVisible(handle())) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));  // the main loop sees it too
      break;
    }
    if (got == -1) break;
    if (::IsDialogMessageA(handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  modal_ = false;
  // Enabled before the form hides, so that the system gives the owner the activation back.
  if (ownerWasEnabled) ::EnableWindow(owner_, TRUE);
  ::ShowWindow(handle(), SW_HIDE);
  if (owner_ && ::IsWindow(owner_)) ::SetActiveWindow(owner_);
}

void FixedForm::EndModal() {
  modal_ = false;
  ::PostMessageA(handle(), WM_NULL, 0, 0);  // wakes the modal loop
}

LRESULT FixedForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnMessage(message, wParam, lParam, &result)) return result;
  switch (message) {
    case DM_GETDEFID:
      return defaultId_ ? MAKELRESULT(defaultId_, DC_HASDEFID) : 0;
    case WM_COMMAND: {
      UINT id = LOWORD(wParam);
      const auto control = reinterpret_cast<HWND>(lParam);
      // Enter and Esc arrive as IDOK and IDCANCEL from the dialog navigation.
      if (!control && id == IDOK) id = defaultId_;
      if (!control && id == IDCANCEL) {
        if (!cancelId_) {
          EndModal();
          return 0;
        }
        id = cancelId_;
      }
      if (id) OnCommand(id, HIWORD(wParam), control ? control : ::GetDlgItem(handle(), static_cast<int>(id)));
      return 0;
    }
    case WM_CLOSE:
      if (cancelId_) {
        OnCommand(cancelId_, BN_CLICKED, ::GetDlgItem(handle(), static_cast<int>(cancelId_)));
      } else {
        EndModal();
      }
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(handle(), message, wParam, lParam);
}

}  // namespace kestrav::win32
