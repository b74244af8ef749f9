#include "ui/win32/owned_window.h"

#include "platform/operation_error.h"
#include "ui/win32/resource_ids.h"

namespace kestrav::win32 {

void RegisterOwnedClass(const char* windowClass, WNDPROC procedure, const char* failure) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA registration{};
  registration.cbSize = sizeof registration;
  registration.lpfnWndProc = procedure;
  registration.hInstance = instance;
  registration.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(KESTRAV_ICON));
  registration.hIconSm =
      static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(KESTRAV_ICON), IMAGE_ICON,
                                      ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  registration.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  registration.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  registration.lpszClassName = windowClass;
  if (!::RegisterClassExA(&registration) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw OperationError(failure);
  }
}

}  // namespace kestrav::win32
