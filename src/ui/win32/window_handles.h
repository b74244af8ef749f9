#pragma once
// Owners for the window system's handles: windows, menus, accelerator tables, GDI objects
// and theme data are released on every path.
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

}  // namespace kestrav::win32
