#pragma once
// Owners for the window system's handles: windows, menus, accelerator tables, GDI objects,
// device contexts and theme data are released on every path, and a selected GDI object is
// put back.
#include <windows.h>
#include <uxtheme.h>

#include <memory>
#include <type_traits>

namespace kestrav::win32 {

struct WindowDestroyer {
  void operator()(HWND window) const {
    if (window && ::IsWindow(window)) ::DestroyWindow(window);
  }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct MenuDestroyer {
  void operator()(HMENU menu) const {
    if (menu) ::DestroyMenu(menu);
  }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct AcceleratorDestroyer {
  void operator()(HACCEL table) const {
    if (table) ::DestroyAcceleratorTable(table);
  }
};
using UniqueAccelerators = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDestroyer>;

struct GdiDeleter {
  void operator()(HGDIOBJ object) const {
    if (object) ::DeleteObject(object);
  }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;
using UniquePen = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiDeleter>;

struct IconDestroyer {
  void operator()(HICON icon) const {
    if (icon) ::DestroyIcon(icon);
  }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

struct ThemeCloser {
  void operator()(HTHEME theme) const {
    if (theme) ::CloseThemeData(theme);
  }
};
using UniqueTheme = std::unique_ptr<std::remove_pointer_t<HTHEME>, ThemeCloser>;

// A GDI object selected into a device context for the scope's life; the one it replaced
// goes back at the end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's device context (GetDC), released at the end of the scope; null when the
// system gives none.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with another (CreateCompatibleDC), deleted at the end.
struct DcDeleter {
  void operator()(HDC dc) const {
    if (dc) ::DeleteDC(dc);
  }
};
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~PaintScope() { ::EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace kestrav::win32
