#include "environment/window_geometry.h"

#include <algorithm>

namespace kestrav {
namespace {

int StoredOr(SettingsStore& settings, const char* name, int fallback) {
  return settings.ValueExists(name) ? settings.ReadInteger(name) : fallback;
}

}  // namespace

int ConstrainWidth(int width) { return std::max(width, kMinWindowWidth); }
int ConstrainHeight(int height) { return std::max(height, kMinWindowHeight); }

WindowBounds InitialWindowBounds(SettingsStore& settings, Screen& screen) {
  const ScreenSize full = screen.PrimaryScreen();
  WindowBounds bounds;
  bounds.width = ConstrainWidth(StoredOr(settings, setting::kWidth, kDefaultWindowWidth));
  bounds.height = ConstrainHeight(StoredOr(settings, setting::kHeight, kDefaultWindowHeight));
  bounds.top = StoredOr(settings, setting::kTop, full.height / 2 - bounds.height / 2);
  bounds.left = StoredOr(settings, setting::kLeft, full.width / 2 - bounds.width / 2);
  bounds.top = std::max(bounds.top, 0);
  bounds.left = std::max(bounds.left, 0);
  const ScreenSize work = screen.WorkArea();
  if (work.width < bounds.width) bounds.width = ConstrainWidth(work.width);
  if (work.height < bounds.height) bounds.height = ConstrainHeight(work.height);
  return bounds;
}

void StoreWindowBounds(SettingsStore& settings, const WindowBounds& bounds) {
  settings.WriteInteger(setting::kTop, bounds.top);
  settings.WriteInteger(setting::kLeft, bounds.left);
  settings.WriteInteger(setting::kWidth, bounds.width);
  settings.WriteInteger(setting::kHeight, bounds.height);
}

}  // namespace kestrav
