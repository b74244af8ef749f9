#pragma once
// The pieces every secondary window of the program is built from: a fixed-size,
// dialog-style frame of a given client size, child controls at pixel rectangles with the
// form's font, hints shown as tool tips, and a modal run. A form reads like its table: one
// Add per control, created in tab order.
#include <windows.h>

#include <utility>

#include "platform/dialogs.h"
#include "ui/win32/owned_window.h"
#include "ui/win32/window_handles.h"

namespace kestrav::win32 {

// A control's place in its parent's client area, in pixels.
struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// Tahoma 8 point at 96 dots per inch, kept at that size on any screen: the forms' layouts
// are in fixed pixels.
UniqueFont CreateTahoma8(bool bold = false);
// A font of face at points, at 96 dots per inch on any screen as well.
UniqueFont CreatePixelFont(const char* face, int points, bool bold = false, bool underline = false);
// The same, null when the system cannot make it, for callers that report that themselves.
UniqueFont TryCreatePixelFont(const char* face, int points, bool bold = false, bool underline = false);

// A tool-tip window for the hints of owner's controls, shown whenever the pointer rests on
// one; null when the system cannot make it.
HWND CreateToolTip(HWND owner);
// Shows hint over control, a child of owner; a control that lets the mouse through (disabled,
// a group box) gets it over its rectangle on owner. False when the tool tip refuses it.
bool AddHint(HWND toolTip, HWND owner, HWND control, const char* hint);

enum class FormPlacement { ScreenCenter, OwnerCenter };

class FixedForm {
 public:
  FixedForm(const FixedForm&) = delete;
  FixedForm& operator=(const FixedForm&) = delete;
  virtual ~FixedForm();

  HWND handle() const { return window_.get(); }
  HWND toolTip() const { return toolTip_; }
  HFONT font() const { return font_.get(); }

  // Shows the form modal to its owner and returns when it is hidden again (Close, Esc, the
  // close button or EndModal). The owner is disabled meanwhile and active again afterwards.
  void ShowModal();
  void EndModal();
  bool IsModalRunning() const { return modal_; }

 protected:
  // Creates the hidden frame: a single fixed border with the minimise and close buttons,
  // the client area clientWidth x clientHeight, placed as placement says when shown.
  FixedForm(Dialogs& dialogs, const char* caption, HWND owner, int clientWidth, int clientHeight,
            FormPlacement placement);

  // A child control at rect of parent's client area (the form's when parent is null),
  // created visible with the form's font; the hint, when given, is its tool tip.
  HWND Add(const char* windowClass, const char* text, DWORD style, PixelRect rect, UINT id,
           const char* hint = nullptr, HWND parent = nullptr, DWORD exStyle = 0);
  // The hint of a control that lets the mouse through (disabled, a group box) is shown over
  // its rectangle on the form.
  void Hint(HWND control, const char* hint);
  // A hint for a part of the form's own client area that is no window (a painted label, a
  // group box, which lets the mouse through); id tells the parts apart.
  void HintArea(PixelRect rect, UINT id, const char* hint);
  // The rectangle a one-line label of text in font takes at (left, top): a label sized to
  // its text.
  PixelRect FitText(const char* text, HFONT font, int left, int top) const;
  // The font of the form's controls in place of Tahoma 8 point; before the first Add, since the
  // font it replaces is deleted.
  void SetFormFont(UniqueFont font) { font_ = std::move(font); }

  // Enter runs the button with id defaultId, Esc and the close button the one with cancelId
  // (0: Esc and the close button only hide the form).
  void SetDefaultAndCancel(UINT defaultId, UINT cancelId);

  // A control's notification (WM_COMMAND) and every other message; return true when handled
  // (result in *result).
  virtual void OnCommand(UINT id, UINT code, HWND control) = 0;
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*result*/) { return false; }

  Dialogs& dialogs_;

 private:
  friend LRESULT CALLBACK OwnedWindowProc<FixedForm>(HWND, UINT, WPARAM, LPARAM);
  void Attach(HWND window) { window_.reset(window); }
  void Detach() {
    (void)window_.release();  // being destroyed already
    toolTip_ = nullptr;
  }
  Dialogs& ErrorDialogs() { return dialogs_; }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Place();

  UniqueWindow window_;
  HWND owner_ = nullptr;
  HWND toolTip_ = nullptr;
  UniqueFont font_;
  FormPlacement placement_;
  UINT defaultId_ = 0;
  UINT cancelId_ = 0;
  bool modal_ = false;
};

}  // namespace kestrav::win32
