#pragma once

namespace kestrav {

struct ScreenSize {
  int width = 0;
  int height = 0;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual ScreenSize PrimaryScreen() = 0;  // the primary display's full size
  virtual ScreenSize WorkArea() = 0;       // the desktop without the task bar
};

}  // namespace kestrav
