#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "controls/about_dlg.h"
#include "framework/wide.h"
#include "localisation/lang_manager.h"

namespace {

std::wstring Text(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

// What the running About box showed, read from a timer while its modal loop runs.
struct Seen {
  HWND dialog = nullptr;
  std::wstring title, name, version, description, rights;
  LONG nameWeight = 0;
  HBRUSH nameBrush = nullptr, rightsBrush = nullptr, descriptionBrush = nullptr;
  COLORREF nameColour = 0;
};
Seen seen;

void CALLBACK InspectAbout(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = GetActiveWindow();
  if (!dialog) return;
  KillTimer(nullptr, timer);
  seen.dialog = dialog;
  seen.title = Text(dialog);
  seen.name = Text(GetDlgItem(dialog, IDC_ABOUT_NAME));
  seen.version = Text(GetDlgItem(dialog, IDC_ABOUT_VERSION));
  seen.description = Text(GetDlgItem(dialog, IDC_ABOUT_DESCRIPTION));
  seen.rights = Text(GetDlgItem(dialog, IDC_ABOUT_RIGHTS));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, IDC_ABOUT_NAME, WM_GETFONT, 0, 0)),
             sizeof font, &font);
  seen.nameWeight = font.lfWeight;

  const HDC dc = CreateCompatibleDC(nullptr);
  const auto colour = [&](int id) {
    return reinterpret_cast<HBRUSH>(SendMessageW(dialog, WM_CTLCOLORSTATIC,
                                                 reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))));
  };
  seen.descriptionBrush = colour(IDC_ABOUT_DESCRIPTION);
  seen.rightsBrush = colour(IDC_ABOUT_RIGHTS);
  SetTextColor(dc, RGB(0, 0, 0));
  seen.nameBrush = colour(IDC_ABOUT_NAME);
  seen.nameColour = GetTextColor(dc);
  DeleteDC(dc);

  // Escape, as the keyboard would send it to the focused OK button.
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
}

TEST(AboutBox, ShowsTheProductInTheSelectedLanguageAndEndsOnEscape) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"QVS_LANG_DIR", folder, MAX_PATH), 0u);
  g_langManager.SetLanguageFolder(FromWide(folder));
  ASSERT_TRUE(g_langManager.ScanLanguages());
  ASSERT_TRUE(g_langManager.SelectLanguage(u"Deutsch"));

  SetTimer(nullptr, 0, 100, InspectAbout);
  CAboutDlg about;
  EXPECT_EQ(about.DoModal(nullptr), IDCANCEL);

  ASSERT_NE(seen.dialog, nullptr);
  EXPECT_FALSE(IsWindow(seen.dialog));
  EXPECT_EQ(FromWide(seen.title.c_str()), g_langManager.GetText(100));
  EXPECT_EQ(seen.name, L"Quorvalestrane");
  EXPECT_EQ(seen.version, L"v1.0.228 (64 bit)");
  EXPECT_EQ(FromWide(seen.description.c_str()), g_langManager.GetText(101));
  EXPECT_FALSE(seen.rights.empty());
  EXPECT_EQ(seen.nameWeight, FW_BOLD);
  EXPECT_EQ(seen.nameBrush, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(seen.nameColour, RGB(0, 80, 255));
  EXPECT_EQ(seen.descriptionBrush, GetStockObject(WHITE_BRUSH));
  // Other statics get the dialog manager's default, not the white band's brush.
  EXPECT_NE(seen.rightsBrush, GetStockObject(WHITE_BRUSH));
}

}  // namespace
