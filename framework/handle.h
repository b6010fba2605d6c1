// One owning-handle template for every kind of handle the program owns. Copying is deleted,
// so a handle is released exactly once; release keeps GetLastError for the caller.
// Borrowed handles (shared icons, the shell's image list, menus lent by their owner) stay raw.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
 public:
  using pointer = typename Traits::pointer;

  UniqueHandle() = default;
  explicit UniqueHandle(pointer handle) : handle(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  pointer get() const { return handle; }
  explicit operator bool() const { return handle != Traits::Invalid(); }

  pointer release() { return std::exchange(handle, Traits::Invalid()); }

  void reset(pointer replacement = Traits::Invalid()) {
    const pointer old = std::exchange(handle, replacement);
    if (old != Traits::Invalid()) {
      const DWORD lastError = GetLastError();
      Traits::Close(old);
      SetLastError(lastError);
    }
  }

 private:
  pointer handle = Traits::Invalid();
};

namespace handle_traits {

struct File {
  using pointer = HANDLE;
  static pointer Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(pointer h) { CloseHandle(h); }
};

struct Kernel {
  using pointer = HANDLE;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { CloseHandle(h); }
};

struct Menu {
  using pointer = HMENU;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { DestroyMenu(h); }
};

struct Icon {
  using pointer = HICON;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { DestroyIcon(h); }
};

template <typename T>
struct GdiObject {
  using pointer = T;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { DeleteObject(h); }
};

struct RegistryKey {
  using pointer = HKEY;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { RegCloseKey(h); }
};

struct DeviceNotification {
  using pointer = HDEVNOTIFY;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { UnregisterDeviceNotification(h); }
};

struct ImageList {
  using pointer = HIMAGELIST;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { ImageList_Destroy(h); }
};

struct DeviceContext {
  using pointer = HDC;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { DeleteDC(h); }
};

}  // namespace handle_traits

using UniqueFile = UniqueHandle<handle_traits::File>;
using UniqueKernelHandle = UniqueHandle<handle_traits::Kernel>;
using UniqueMenu = UniqueHandle<handle_traits::Menu>;
using UniqueIcon = UniqueHandle<handle_traits::Icon>;
using UniqueBitmap = UniqueHandle<handle_traits::GdiObject<HBITMAP>>;
using UniqueFont = UniqueHandle<handle_traits::GdiObject<HFONT>>;
using UniqueRegKey = UniqueHandle<handle_traits::RegistryKey>;
using UniqueDeviceNotify = UniqueHandle<handle_traits::DeviceNotification>;
using UniqueImageList = UniqueHandle<handle_traits::ImageList>;
using UniqueMemoryDC = UniqueHandle<handle_traits::DeviceContext>;

// A device context of a window (or of the screen), released when it goes out of scope.
class CWindowDC {
 public:
  explicit CWindowDC(HWND window) : window(window), dc(GetDC(window)) {}
  ~CWindowDC() {
    if (dc) ReleaseDC(window, dc);
  }
  CWindowDC(const CWindowDC&) = delete;
  CWindowDC& operator=(const CWindowDC&) = delete;
  HDC get() const { return dc; }

 private:
  HWND window;
  HDC dc;
};

// Selects a GDI object into a device context for the scope's length.
class CSelectObject {
 public:
  CSelectObject(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
  ~CSelectObject() {
    if (previous) SelectObject(dc, previous);
  }
  CSelectObject(const CSelectObject&) = delete;
  CSelectObject& operator=(const CSelectObject&) = delete;

 private:
  HDC dc;
  HGDIOBJ previous;
};
