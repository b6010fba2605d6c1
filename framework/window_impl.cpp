#include "framework/window_impl.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 1;
}

CWindowImpl::~CWindowImpl() {
  UnsubclassWindow();
}

bool CWindowImpl::SubclassWindow(HWND control) {
  if (hwnd || !control) return false;
  if (!SetWindowSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  hwnd = control;
  return true;
}

HWND CWindowImpl::UnsubclassWindow() {
  const HWND control = hwnd;
  if (control) RemoveWindowSubclass(control, SubclassProc, kSubclassId);
  hwnd = nullptr;
  return control;
}

LRESULT CALLBACK CWindowImpl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<CWindowImpl*>(data);
  LRESULT result = 0;
  if (message != WM_NCDESTROY &&
      self->ProcessWindowMessage(hwnd, message, wParam, lParam, result, 0))
    return result;
  if (message == WM_NCDESTROY) self->UnsubclassWindow();
  return DefSubclassProc(hwnd, message, wParam, lParam);
}
