// The dialogs at another DPI: Wine reads LogPixels when a process starts, so each DPI is measured
// in a child process of this test program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "controls/about_dlg.h"
#include "tests/win32/main_dlg_fixture.h"

namespace {

// In the child: the Hide button's height and the About box's name font height, in pixels, the
// small-icon size, whether the tray icon has it, and how far a drive's menu picture is from its
// icon drawn by the system.
TEST(DpiChild, Report) {
  wchar_t out[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"QVS_DPI_OUT", out, MAX_PATH)) GTEST_SKIP() << "run by Dpi.*";
  CTestVolumes volumes;
  volumes.hotplug = {{u'P', 1}};
  CMainDlg dialog{volumes};
  ASSERT_NE(dialog.Create(nullptr), nullptr);
  RECT hide{};
  GetWindowRect(dialog.GetDlgItem(IDC_HIDE), &hide);
  const int small = GetSystemMetrics(SM_CXSMICON);
  ICONINFO tray{};
  BITMAP trayImage{};
  ASSERT_TRUE(GetIconInfo(dialog.trayIcon.iconData.hIcon, &tray));
  GetObjectW(tray.hbmColor, sizeof trayImage, &trayImage);
  DeleteObject(tray.hbmColor);
  DeleteObject(tray.hbmMask);
  const bool traySized = trayImage.bmWidth == small && trayImage.bmHeight == small;
  const int difference = PictureDifference(dialog, u'P');
  dialog.DestroyWindow();
  LOGFONTW name{};
  {
    CModalWatch watch([&] {
      const HWND about = GetActiveWindow();
      if (!about) return false;
      const auto font =
          reinterpret_cast<HFONT>(SendDlgItemMessageW(about, IDC_ABOUT_NAME, WM_GETFONT, 0, 0));
      GetObjectW(font, sizeof name, &name);
      PostMessageW(about, WM_COMMAND, IDOK, 0);
      return true;
    });
    CAboutDlg about;
    about.DoModal(nullptr);
  }
  FILE* file = _wfopen(out, L"w");
  ASSERT_NE(file, nullptr);
  fprintf(file, "%ld %ld %d %d %d\n", hide.bottom - hide.top, std::labs(name.lfHeight), small,
          traySized ? 1 : 0, difference);
  fclose(file);
}

struct Measured {
  long button = 0, nameFont = 0;
  int smallIcon = 0, traySized = 0, pictureDifference = 256;
};

// Sets the DPI that new processes see (0 deletes the value) and returns the previous one.
DWORD SetLogPixels(HKEY root, const wchar_t* key, DWORD dpi) {
  HKEY opened = nullptr;
  RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &opened,
                  nullptr);
  DWORD previous = 0, size = sizeof previous;
  if (RegQueryValueExW(opened, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous),
                       &size) != ERROR_SUCCESS)
    previous = 0;
  if (dpi)
    RegSetValueExW(opened, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
  else
    RegDeleteValueW(opened, L"LogPixels");
  RegCloseKey(opened);
  return previous;
}

constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";
constexpr wchar_t kFonts[] = L"Software\\Fonts";

Measured MeasureAt(DWORD dpi) {
  SetLogPixels(HKEY_CURRENT_USER, kDesktop, dpi);
  SetLogPixels(HKEY_CURRENT_CONFIG, kFonts, dpi);
  wchar_t exe[MAX_PATH] = {}, temp[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  GetTempPathW(MAX_PATH, temp);
  const std::wstring out = std::wstring(temp) + L"qvs-dpi.txt";
  DeleteFileW(out.c_str());
  SetEnvironmentVariableW(L"QVS_DPI_OUT", out.c_str());
  std::wstring commandLine = L"\"" + std::wstring(exe) + L"\" --gtest_filter=DpiChild.*";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &child)) {
    WaitForSingleObject(child.hProcess, 60000);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
  }
  SetEnvironmentVariableW(L"QVS_DPI_OUT", nullptr);
  Measured measured;
  if (FILE* file = _wfopen(out.c_str(), L"r")) {
    if (fscanf(file, "%ld %ld %d %d %d", &measured.button, &measured.nameFont, &measured.smallIcon,
               &measured.traySized, &measured.pictureDifference) != 5)
      measured = {};
    fclose(file);
  }
  DeleteFileW(out.c_str());
  return measured;
}

TEST(Dpi, DialogsAndFontsGrowWithTheDpi) {
  const DWORD desktop = SetLogPixels(HKEY_CURRENT_USER, kDesktop, 96);
  const DWORD fonts = SetLogPixels(HKEY_CURRENT_CONFIG, kFonts, 96);
  const Measured normal = MeasureAt(96);
  const Measured large = MeasureAt(144);
  SetLogPixels(HKEY_CURRENT_USER, kDesktop, desktop);
  SetLogPixels(HKEY_CURRENT_CONFIG, kFonts, fonts);
  DeleteFileW(SettingsPath().c_str());
  ASSERT_GT(normal.button, 0);
  ASSERT_GT(normal.nameFont, 0);
  // 150 %, within a pixel or two of rounding.
  EXPECT_NEAR(large.button * 2.0 / 3.0, normal.button, 2.0);
  EXPECT_NEAR(large.nameFont * 2.0 / 3.0, normal.nameFont, 2.0);
  // The tray icon and the menu pictures have the small-icon size of each DPI, and the pictures
  // are the drive icons as the system draws them, soft edges included.
  EXPECT_EQ(normal.smallIcon, 16);
  EXPECT_GT(large.smallIcon, normal.smallIcon);
  EXPECT_EQ(normal.traySized, 1);
  EXPECT_EQ(large.traySized, 1);
  EXPECT_LE(normal.pictureDifference, 2);
  EXPECT_LE(large.pictureDifference, 2);
}

}  // namespace
