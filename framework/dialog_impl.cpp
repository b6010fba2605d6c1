#include "framework/dialog_impl.h"

#include "framework/module.h"

HWND CDialogImplBase::CreateFromTemplate(UINT templateId, HWND parent, LPARAM param) {
  g_windowModule.AddCreateWndData(this);
  const HWND created = CreateDialogParamW(g_baseModule.ResourceInstance(),
                                          MAKEINTRESOURCEW(templateId), parent, DialogProc, param);
  g_windowModule.RemoveCreateWndData(this);
  return created;
}

INT_PTR CDialogImplBase::DoModalFromTemplate(UINT templateId, HWND parent, LPARAM param) {
  g_windowModule.AddCreateWndData(this);
  const INT_PTR result = DialogBoxParamW(g_baseModule.ResourceInstance(),
                                         MAKEINTRESOURCEW(templateId), parent, DialogProc, param);
  g_windowModule.RemoveCreateWndData(this);
  return result;
}

INT_PTR CALLBACK CDialogImplBase::DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* self = reinterpret_cast<CDialogImplBase*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) {
    // The first message of a dialog being created (WM_SETFONT, then WM_INITDIALOG).
    self = static_cast<CDialogImplBase*>(g_windowModule.ExtractCreateWndData());
    if (!self) return FALSE;
    self->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  }

  LRESULT result = 0;
  const BOOL handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result, 0);

  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd = nullptr;
    self->OnFinalMessage(hwnd);
    return FALSE;
  }
  if (!handled) return FALSE;

  // These messages answer through the procedure's return value; every other one through
  // DWLP_MSGRESULT, with TRUE saying the message was handled.
  switch (message) {
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return static_cast<INT_PTR>(result);
    default:
      SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
      return TRUE;
  }
}
