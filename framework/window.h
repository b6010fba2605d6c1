// A thin, non-owning wrapper of a window handle.
#pragma once

#include <windows.h>

#include <string>

// The window's whole text, however long.
std::u16string WindowText(HWND window);

// The text of a list box or combo box item (LB_GETTEXTLEN/LB_GETTEXT, CB_GETLBTEXTLEN/
// CB_GETLBTEXT), read into a buffer of the next multiple of 1024 characters above its length;
// empty when there is no such item.
std::u16string ItemText(HWND control, UINT getLength, UINT getText, WPARAM index);

class CWindow {
 public:
  CWindow() = default;
  explicit CWindow(HWND hwnd) : hwnd(hwnd) {}

  HWND Handle() const { return hwnd; }
  bool IsWindow() const { return hwnd && ::IsWindow(hwnd); }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(hwnd, id); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(hwnd, message, wParam, lParam);
  }
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageW(hwnd, id, message, wParam, lParam);
  }
  BOOL ShowWindow(int showCommand) const { return ::ShowWindow(hwnd, showCommand); }

  // Centres the window over its owner, or on the work area of the nearest monitor when it
  // has none, and keeps it inside that work area. Only the position changes.
  void CenterWindow() const;

 protected:
  HWND hwnd = nullptr;
};
