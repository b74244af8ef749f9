#include "ui/win32/hidden_form.h"

#include "platform/operation_error.h"

namespace kestrav::win32 {
namespace {

constexpr const char* kFormClass = "KestravForm";

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    ::ShowWindow(window, SW_HIDE);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void RegisterFormClass() {
  WNDCLASSEXA formClass{};
  formClass.cbSize = sizeof formClass;
  formClass.lpfnWndProc = FormProc;
  formClass.hInstance = ::GetModuleHandleA(nullptr);
  formClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  formClass.lpszClassName = kFormClass;
  if (!::RegisterClassExA(&formClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw OperationError("Cannot create a window");
  }
}

}  // namespace

HiddenForm::HiddenForm(const char* caption, HWND owner, int width, int height) {
  RegisterFormClass();
  window_.reset(::CreateWindowExA(WS_EX_DLGMODALFRAME, kFormClass, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  0, 0, width, height, owner, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr));
  if (!window_) throw OperationError("Cannot create a window");
}

}  // namespace kestrav::win32
