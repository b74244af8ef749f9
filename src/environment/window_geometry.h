#pragma once
// Where the main window opens and how big it is.
#include "environment/settings_store.h"
#include "platform/screen.h"

namespace kestrav {

inline constexpr int kDefaultWindowWidth = 320;
inline constexpr int kDefaultWindowHeight = 400;
inline constexpr int kMinWindowWidth = 320;
inline constexpr int kMinWindowHeight = 300;

struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = kDefaultWindowWidth;
  int height = kDefaultWindowHeight;
  bool operator==(const WindowBounds&) const = default;
};

// Every size the window is given is raised to the minimum 320 x 300.
int ConstrainWidth(int width);
int ConstrainHeight(int height);

// From "Width", "Height", "Top", "Left" (read in that order from an open store), else the
// defaults centred on the primary screen; then negative edges moved to 0 and a size larger
// than the work area shrunk to it. A window reaching past the right or bottom edge is
// not moved back.
WindowBounds InitialWindowBounds(SettingsStore& settings, Screen& screen);

// Writes "Top", "Left", "Width", "Height", in that order.
void StoreWindowBounds(SettingsStore& settings, const WindowBounds& bounds);

}  // namespace kestrav
