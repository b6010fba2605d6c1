// The modal About box: icon, the name in bold blue on a white band, version, description and
// rights notice.
#pragma once

#include <windows.h>

#include "framework/dialog_impl.h"
#include "framework/handle.h"

constexpr int IDC_ABOUT_VERSION = 1011;
constexpr int IDC_ABOUT_NAME = 1012;
constexpr int IDC_ABOUT_RIGHTS = 1013;
constexpr int IDC_ABOUT_DESCRIPTION = 1014;
constexpr int IDC_ABOUT_ICON = 1015;

class CAboutDlg : public CDialogImpl<CAboutDlg> {
 public:
  static constexpr UINT IDD = 100;

  BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            DWORD mapId = 0) override;

 private:
  BOOL OnInitDialog();
  // The brush for a static control, or null for the system's default.
  HBRUSH OnCtlColorStatic(HDC dc, HWND control) const;

  UniqueFont titleFont;  // the name's bold font; owned by the dialog object
};
