// The one-line input box: a dialog of the program's own from a template in memory, in the
// font of the program's windows (Tahoma 8).
#include <windows.h>

#include <algorithm>
#include <exception>
#include <vector>

#include "platform/operation_error.h"
#include "platform/win32/win32_dialogs.h"

namespace kestrav {
namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kFieldId = 101;
constexpr WPARAM kFieldLimit = 255;

// Control classes by their predefined atoms.
constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;

// A dialog template built word by word: the header with its menu, class, title and font,
// then each item on a DWORD boundary. Texts are ASCII; the caption and prompt are set later.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short width, short height) {
    Dword(style | DS_SETFONT);
    Dword(0);
    words_.push_back(0);  // the item count
    for (const short value : {short{0}, short{0}, width, height}) words_.push_back(static_cast<WORD>(value));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    Text("");
    words_.push_back(8);
    Text("Tahoma");
  }

  void Add(WORD atom, const char* text, DWORD style, DWORD exStyle, short x, short y, short width, short height,
           WORD id) {
    if (words_.size() % 2) words_.push_back(0);
    Dword(WS_CHILD | WS_VISIBLE | style);
    Dword(exStyle);
    for (const short value : {x, y, width, height}) words_.push_back(static_cast<WORD>(value));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(atom);
    Text(text);
    words_.push_back(0);  // no creation data
    ++words_[4];
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void Text(const char* text) {
    while (*text) words_.push_back(static_cast<unsigned char>(*text++));
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

// The box in dialog units: the prompt over the field, OK and Cancel at the bottom right.
DialogTemplate InputBoxTemplate() {
  DialogTemplate box(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 188, 58);
  box.Add(kStatic, "", SS_LEFT | SS_NOPREFIX, 0, 6, 6, 176, 8, kPromptId);
  box.Add(kEdit, "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 6, 18, 176, 12, kFieldId);
  box.Add(kButton, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 78, 38, 50, 14, IDOK);
  box.Add(kButton, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, 132, 38, 50, 14, IDCANCEL);
  return box;
}

struct InputBoxState {
  const std::string& caption;
  const std::string& prompt;
  const std::string& text;
  std::string entered;
  std::exception_ptr error;  // raised inside the dialog, rethrown once it has returned
};

std::string WindowText(HWND window) {
  std::vector<char> text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  const int length = ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), static_cast<std::size_t>(std::max(length, 0)));
}

// text broken into lines no wider than width: after the last blank that fits, or inside a
// word longer than a whole line.
std::vector<std::string> WrappedLines(HDC dc, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  do {
    int fit = 0;
    SIZE size{};
    const std::string rest = text.substr(start);
    ::GetTextExtentExPointA(dc, rest.c_str(), static_cast<int>(rest.size()), width, &fit, nullptr, &size);
    std::size_t end = start + static_cast<std::size_t>(std::max(fit, 1));
    std::size_t next = end;
    if (end < text.size()) {
      const std::size_t blank = text.rfind(' ', end);
      if (blank != std::string::npos && blank > start) {
        end = blank;
        next = blank + 1;
      }
    }
    lines.push_back(text.substr(start, std::min(end, text.size()) - start));
    start = next;
  } while (start < text.size());
  return lines;
}

// Shows the prompt in as many lines as it needs and moves what lies below it down.
void FitPrompt(HWND dialog, const std::string& prompt) {
  const HWND label = ::GetDlgItem(dialog, kPromptId);
  RECT place{};
  ::GetWindowRect(label, &place);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  const HDC dc = ::GetDC(label);
  if (!dc) throw OperationError("Cannot create a window");
  const HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  const std::vector<std::string> lines = WrappedLines(dc, prompt, place.right - place.left);
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(label, dc);

  std::string shown;
  for (const std::string& line : lines) shown += (shown.empty() ? "" : "\n") + line;
  ::SetWindowTextA(label, shown.c_str());
  const int height = static_cast<int>(lines.size()) * metrics.tmHeight;
  const int grow = height - (place.bottom - place.top);
  if (grow <= 0) return;
  ::SetWindowPos(label, nullptr, 0, 0, place.right - place.left, height, SWP_NOMOVE | SWP_NOZORDER);
  for (const int id : {int{kFieldId}, IDOK, IDCANCEL}) {
    const HWND control = ::GetDlgItem(dialog, id);
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    ::SetWindowPos(control, nullptr, rect.left, rect.top + grow, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  RECT frame{};
  ::GetWindowRect(dialog, &frame);
  ::SetWindowPos(dialog, nullptr, frame.left, frame.top - grow / 2, frame.right - frame.left,
                 frame.bottom - frame.top + grow, SWP_NOZORDER);
}

void InitialiseInputBox(HWND dialog, const InputBoxState& state) {
  ::SetWindowTextA(dialog, state.caption.c_str());
  const HWND field = ::GetDlgItem(dialog, kFieldId);
  ::SendMessageA(field, EM_LIMITTEXT, kFieldLimit, 0);
  // The limit holds for typing only: a longer text given here is shown and kept whole.
  ::SetWindowTextA(field, state.text.c_str());
  FitPrompt(dialog, state.prompt);
  ::SendMessageA(field, EM_SETSEL, 0, -1);
  ::SetFocus(field);
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* state = reinterpret_cast<InputBoxState*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  if (!state) return FALSE;
  try {
    switch (message) {
      case WM_INITDIALOG:
        InitialiseInputBox(dialog, *state);
        return FALSE;  // the focus is set
      case WM_COMMAND:
        // Enter gives IDOK, the default button; Esc and the close button IDCANCEL.
        if (LOWORD(wParam) == IDOK) state->entered = WindowText(::GetDlgItem(dialog, kFieldId));
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
          ::EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        }
        break;
      default:
        break;
    }
  } catch (...) {
    state->error = std::current_exception();
    ::EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

std::optional<std::string> Win32Dialogs::InputBox(const std::string& caption, const std::string& prompt,
                                                  const std::string& text) {
  const DialogTemplate box = InputBoxTemplate();
  InputBoxState state{caption, prompt, text, {}, nullptr};
  const INT_PTR result = ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), box.get(), InFront(), InputBoxProc,
                                                   reinterpret_cast<LPARAM>(&state));
  if (state.error) std::rethrow_exception(state.error);
  if (result == -1) throw OperationError("Cannot create a window");
  if (result != IDOK) return std::nullopt;
  return state.entered;
}

}  // namespace kestrav
