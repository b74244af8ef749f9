#pragma once
// Answers the real dialogs a test brings up: a timer, run by the dialog's own message loop,
// hands the visible dialog of this thread to an answerer until that says it is done. Seconds
// later, what is still up is cancelled or closed: no test may hang.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

namespace kestrav::test {

inline std::function<void()> onTick;

inline void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (onTick) onTick();
}

// What show gives back while answerer acts on the dialog it brings up.
template <class Show>
auto Answered(std::function<bool(HWND)> answerer, Show show) {
  int ticks = 0;
  onTick = [&] {
    HWND dialog = nullptr;
    const auto visible = [](HWND window, LPARAM found) -> BOOL {
      char name[16] = {};
      ::GetClassNameA(window, name, sizeof name);
      if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    };
    ::EnumThreadWindows(::GetCurrentThreadId(), visible, reinterpret_cast<LPARAM>(&dialog));
    if (++ticks > 200 && dialog) {
      ::EndDialog(dialog, IDCANCEL);
    } else if (ticks > 200) {
      ::PostMessageA(::GetActiveWindow(), WM_CLOSE, 0, 0);
    } else if (dialog && answerer && answerer(dialog)) {
      answerer = nullptr;
    }
  };
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Tick);
  const auto result = show();
  ::KillTimer(nullptr, timer);
  onTick = nullptr;
  return result;
}

inline std::string TextOf(HWND window) {
  char text[4096] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// The form's caption and client size.
inline std::string Frame(HWND form) {
  RECT client{};
  ::GetClientRect(form, &client);
  return TextOf(form) + " " + std::to_string(client.right) + "x" + std::to_string(client.bottom);
}

// The frame, then a line per child in tab order: class, text, place in the client area (a
// label fitted to its text by the font: its place alone), "-" when disabled, "*" when checked,
// "tab" for a tab stop, and its hint (of which the tool tip hands out 80 characters at most).
inline std::string Outline(HWND form, HWND tips) {
  std::string lines = Frame(form) + "\n";
  for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char kind[32] = {}, hint[128] = {};
    ::GetClassNameA(child, kind, sizeof kind);
    TOOLINFOA tool{TTTOOLINFOA_V2_SIZE, 0, form, reinterpret_cast<UINT_PTR>(child), {}, nullptr, hint, 0, nullptr};
    ::SendMessageA(tips, TTM_GETTEXTA, sizeof hint, reinterpret_cast<LPARAM>(&tool));
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
    lines += std::string(kind) + " " + TextOf(child) + " " + std::to_string(r.left) + "," + std::to_string(r.top);
    if (std::string(kind) != "Static" || (style & SS_CENTER)) {
      lines += "," + std::to_string(r.right - r.left) + "," + std::to_string(r.bottom - r.top);
    }
    lines.append(::IsWindowEnabled(child) ? "" : " -");
    lines.append(::SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? " *" : "");
    lines.append(style & WS_TABSTOP ? " tab" : "").append(hint[0] ? " " : "").append(hint) += '\n';
  }
  return lines;
}

}  // namespace kestrav::test
