#pragma once
#include <memory>
#include <type_traits>

#include "platform/win32/win32_api.h"

namespace kerumo::win32 {

// Owners for the window system's handles: each is released exactly once.
template <class Handle, auto Release>
struct HandleDeleter {
  using pointer = Handle;
  void operator()(Handle handle) const {
    if (handle) Release(handle);
  }
};

template <class Handle, auto Release>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, Release>>;

inline void destroyWindow(HWND window) { DestroyWindow(window); }
inline void destroyMenu(HMENU menu) { DestroyMenu(menu); }
inline void destroyIcon(HICON icon) { DestroyIcon(icon); }
inline void deleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void deleteDc(HDC dc) { DeleteDC(dc); }
inline void closeHandle(HANDLE handle) { CloseHandle(handle); }

inline void unhook(HHOOK hook) { UnhookWindowsHookEx(hook); }
using UniqueWindow = UniqueHandle<HWND, destroyWindow>;
using UniqueHook = UniqueHandle<HHOOK, unhook>;
using UniqueMenu = UniqueHandle<HMENU, destroyMenu>;
using UniqueIcon = UniqueHandle<HICON, destroyIcon>;
using UniqueFont = UniqueHandle<HFONT, deleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, deleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, deleteGdiObject>;
using UniquePen = UniqueHandle<HPEN, deleteGdiObject>;
using UniqueDc = UniqueHandle<HDC, deleteDc>;
using UniqueKernelHandle = UniqueHandle<HANDLE, closeHandle>;

// Selects `object` into `dc` for the scope, putting the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's device context for the scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() { ReleaseDC(window_, dc_); }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace kerumo::win32
