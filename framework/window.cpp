#include "framework/window.h"

#include <algorithm>

void CWindow::CenterWindow() const {
  RECT window;
  if (!GetWindowRect(hwnd, &window)) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& area = monitor.rcWork;

  RECT centreOn = area;
  const HWND owner = ::GetWindow(hwnd, GW_OWNER);
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) GetWindowRect(owner, &centreOn);

  const LONG width = window.right - window.left;
  const LONG height = window.bottom - window.top;
  LONG x = (centreOn.left + centreOn.right - width) / 2;
  LONG y = (centreOn.top + centreOn.bottom - height) / 2;
  x = std::max(area.left, std::min(x, area.right - width));
  y = std::max(area.top, std::min(y, area.bottom - height));
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

std::u16string ItemText(HWND control, UINT getLength, UINT getText, WPARAM index) {
  const LRESULT length = SendMessageW(control, getLength, index, 0);
  if (length < 0) return {};
  std::u16string text((static_cast<std::size_t>(length) / 1024 + 1) * 1024, u'\0');
  const LRESULT copied =
      SendMessageW(control, getText, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? std::min(static_cast<std::size_t>(copied), text.size() - 1) : 0);
  return text;
}
