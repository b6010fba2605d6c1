// The least a tray program with a settings dialog does: a dialog from a template and a tray
// icon, built the same way as the program. The baseline for start-up time and working set.
#include <windows.h>
#include <shellapi.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    DestroyWindow(dialog);
    PostQuitMessage(0);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  const HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(129), nullptr, DialogProc, 0);
  if (!dialog) return 1;
  SetWindowTextW(dialog, L"Minimal");
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = dialog;
  icon.uID = 201;
  icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  icon.uCallbackMessage = WM_USER + 100;
  icon.hIcon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(128), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  lstrcpyW(icon.szTip, L"Minimal");
  Shell_NotifyIconW(NIM_ADD, &icon);
  ShowWindow(dialog, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  Shell_NotifyIconW(NIM_DELETE, &icon);
  return 0;
}
