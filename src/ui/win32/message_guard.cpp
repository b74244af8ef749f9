#include "ui/win32/message_guard.h"

namespace kestrav::win32 {

void ShowErrorBox(Dialogs& dialogs, const std::string& text) noexcept {
  try {
    dialogs.ShowMessage(MessageKind::Error, text, MessageButtons::Ok);
  } catch (...) {
    // The error box itself failed: the last resort is a box without an owner.
    ::MessageBoxA(nullptr, text.c_str(), CaptionOf(MessageKind::Error), MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
}

}  // namespace kestrav::win32
