#pragma once
// The window procedure of a window class whose windows each belong to one object, handed to
// CreateWindowEx as the creation parameter. The object learns its window at WM_NCCREATE
// (Attach) and forgets it and its children at WM_NCDESTROY (Detach); every message in between
// goes to its Handle, under the program's default error handler.
#include <windows.h>

#include "ui/win32/message_guard.h"

namespace kestrav::win32 {

// Registers windowClass with procedure, the program's icon, the arrow cursor and the button
// face's colour; one registered before stays. Throws OperationError(failure) otherwise.
void RegisterOwnedClass(const char* windowClass, WNDPROC procedure, const char* failure);

template <class Owner>
LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->Attach(window);
  }
  auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!owner) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    owner->Detach();
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  return Guarded(owner->ErrorDialogs(), 0, [&] { return owner->Handle(message, wParam, lParam); });
}

}  // namespace kestrav::win32
