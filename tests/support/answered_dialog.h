#pragma once
// Answers a modal dialog of this thread while it runs: a timer, which the dialog's own loop
// runs, finds the visible dialog and hands it to the answerer until that returns true.
// After some seconds the dialog is cancelled, so that a dialog left open cannot hang a test.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace kestrav::test {

inline std::function<bool(HWND)> dialogAnswerer;
inline int answerTicks = 0;

inline void CALLBACK AnswerTick(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  const auto visible = [](HWND window, LPARAM found) -> BOOL {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  };
  ::EnumThreadWindows(::GetCurrentThreadId(), visible, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || !dialogAnswerer) return;
  if (++answerTicks > 200) {
    ::EndDialog(dialog, IDCANCEL);
  } else if (dialogAnswerer(dialog)) {
    dialogAnswerer = nullptr;
  }
}

// What show gives back while answerer answers the dialog it brings up.
template <class Show>
auto Answered(std::function<bool(HWND)> answerer, Show show) {
  dialogAnswerer = std::move(answerer);
  answerTicks = 0;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerTick);
  const auto result = show();
  ::KillTimer(nullptr, timer);
  dialogAnswerer = nullptr;
  return result;
}

}  // namespace kestrav::test
