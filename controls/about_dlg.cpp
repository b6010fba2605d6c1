#include "controls/about_dlg.h"

#include "localisation/lang_manager.h"

BOOL CAboutDlg::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result, DWORD mapId) {
  if (mapId != 0) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      result = reinterpret_cast<LRESULT>(
          OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
      return result != 0;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CAboutDlg::OnInitDialog() {
  CenterWindow();
  g_langManager.TranslateWindow(hwnd);

  // A bold copy of the icon-title font, read back from a real font so that every field is the
  // one the system would use.
  LOGFONTW font{};
  SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
  if (const UniqueFont iconTitle{CreateFontIndirectW(&font)})
    GetObjectW(iconTitle.get(), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  titleFont.reset(CreateFontIndirectW(&font));
  SendDlgItemMessage(IDC_ABOUT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont.get()), TRUE);

  SetDlgItemTextW(hwnd, IDC_ABOUT_NAME, L"Quorvalestrane");
  SetDlgItemTextW(hwnd, IDC_ABOUT_VERSION, L"v1.0.228 (64 bit)");
  SetDlgItemTextW(hwnd, IDC_ABOUT_RIGHTS, L"\u00A9 2026 Quorvalestrane team");
  return TRUE;
}

HBRUSH CAboutDlg::OnCtlColorStatic(HDC dc, HWND control) const {
  switch (GetDlgCtrlID(control)) {
    case IDC_ABOUT_NAME:
      SetTextColor(dc, RGB(0, 80, 255));
      return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    case IDC_ABOUT_VERSION:
    case IDC_ABOUT_DESCRIPTION:
    case IDC_ABOUT_ICON:
      return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    default:
      return nullptr;
  }
}
