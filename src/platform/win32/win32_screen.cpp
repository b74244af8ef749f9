#include <windows.h>

#include <memory>

#include "platform/screen.h"

namespace kestrav {
namespace {

class Win32Screen : public Screen {
 public:
  ScreenSize PrimaryScreen() override { return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }
  ScreenSize WorkArea() override {
    RECT area{};
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) return PrimaryScreen();
    return {area.right - area.left, area.bottom - area.top};
  }
};

}  // namespace

std::unique_ptr<Screen> MakeWin32Screen() { return std::make_unique<Win32Screen>(); }

}  // namespace kestrav
