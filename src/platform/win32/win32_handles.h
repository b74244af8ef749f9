#pragma once
// Owners for Win32 handles, so every path closes what it opened.
#include <windows.h>

#include <memory>

namespace kestrav::win32 {

struct HandleCloser {
  void operator()(HANDLE handle) const {
    if (handle && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct FindCloser {
  void operator()(HANDLE handle) const {
    if (handle && handle != INVALID_HANDLE_VALUE) ::FindClose(handle);
  }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

struct KeyCloser {
  void operator()(HKEY key) const {
    if (key) ::RegCloseKey(key);
  }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// CreateFileA and FindFirstFileA give INVALID_HANDLE_VALUE, not null, on failure.
inline HANDLE OrNull(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

}  // namespace kestrav::win32
