#pragma once
// The program's default error handler: every message a window of the program handles runs
// inside Guarded. A failed command stops where it failed, its error text is shown in the
// error box, and the program goes on. Nothing unwinds through the system's frames.
#include <windows.h>

#include <exception>
#include <string>

#include "platform/dialogs.h"

namespace kestrav::win32 {

void ShowErrorBox(Dialogs& dialogs, const std::string& text) noexcept;

template <class Handler>
LRESULT Guarded(Dialogs& dialogs, LRESULT resultOnError, Handler&& handler) noexcept {
  std::string text;
  try {
    return handler();
  } catch (const std::exception& error) {
    text = error.what();
  } catch (...) {
    text = "Unknown error";
  }
  ShowErrorBox(dialogs, text);
  return resultOnError;
}

}  // namespace kestrav::win32
