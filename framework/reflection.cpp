#include "framework/reflection.h"

HWND NotifyingControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  // WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC: the control in lParam asks for its colours.
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    return reinterpret_cast<HWND>(lParam);
  switch (message) {
    case WM_COMMAND:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    // wParam 0 means a menu drew or measured an item: no control is involved.
    case WM_DRAWITEM:
      return wParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM:
      return wParam
                 ? GetDlgItem(
                       parent,
                       static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID))
                 : nullptr;
    case WM_COMPAREITEM:
      return wParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
      return wParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_PARENTNOTIFY:
      switch (LOWORD(wParam)) {
        case WM_CREATE:
        case WM_DESTROY:
          return reinterpret_cast<HWND>(lParam);
        default:
          return GetDlgItem(parent, HIWORD(wParam));
      }
    default:
      return nullptr;
  }
}

bool ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const HWND control = NotifyingControl(parent, message, wParam, lParam);
  if (!control) return false;
  result = SendMessageW(control, OCM_BASE_MESSAGE + message, wParam, lParam);
  return true;
}
