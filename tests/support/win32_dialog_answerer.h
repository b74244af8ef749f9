#pragma once
// Answers the real dialogs a test brings up: a timer, run by the dialog's own message loop,
// hands the visible dialog of this thread to an answerer until that says it is done. A dialog
// still up seconds later is cancelled: no test may hang.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace kestrav::test {

inline std::function<bool(HWND)> dialogAnswerer;
inline int dialogTicks = 0;

inline void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  const auto visible = [](HWND window, LPARAM found) -> BOOL {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  };
  ::EnumThreadWindows(::GetCurrentThreadId(), visible, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  if (++dialogTicks > 200) {
    ::EndDialog(dialog, IDCANCEL);
  } else if (dialogAnswerer && dialogAnswerer(dialog)) {
    dialogAnswerer = nullptr;
  }
}

// What show gives back while answerer acts on the dialog it brings up.
template <class Show>
auto Answered(std::function<bool(HWND)> answerer, Show show) {
  dialogAnswerer = std::move(answerer);
  dialogTicks = 0;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerDialog);
  const auto result = show();
  ::KillTimer(nullptr, timer);
  dialogAnswerer = nullptr;
  return result;
}

inline std::string TextOf(HWND window) {
  char text[4096] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace kestrav::test
