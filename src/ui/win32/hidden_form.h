#pragma once
// A form that lives for the whole run and is shown on demand: the about box, the settings
// dialog and the log creator start as these bare windows, hidden. Closing one hides it.
#include <windows.h>

#include "ui/win32/window_handles.h"

namespace kestrav::win32 {

inline constexpr const char* kAboutCaption = "About Kestrav";
inline constexpr const char* kSettingsCaption = "Settings";
inline constexpr const char* kLogCaption = "Create a Log";

class HiddenForm {
 public:
  // Owned by owner, so that it stays above the main window and goes with it.
  HiddenForm(const char* caption, HWND owner, int width, int height);

  HWND handle() const { return window_.get(); }

 private:
  UniqueWindow window_;
};

}  // namespace kestrav::win32
