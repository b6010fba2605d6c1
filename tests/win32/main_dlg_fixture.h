// The real main dialog on the test drives, and helpers to drive its modal boxes and menus.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "framework/wide.h"
#include "localisation/lang_manager.h"
#include "settings/settings_file.h"
#include "tests/win32/test_volumes.h"
#include "tray/tray_rules.h"

// The settings file that the dialog reads and writes beside the test executable.
inline std::wstring SettingsPath() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path);
  return file.substr(0, file.rfind(L'\\') + 1) + L"settings.cfg";
}

inline bool SettingsSaved() {
  return GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline Settings SavedSettings() {
  Settings settings;
  ReadSettingsFile(FromWide(SettingsPath().c_str()), settings);
  return settings;
}

// Calls `step` every 50 ms while the test's thread runs a modal loop (a box, a dialog, a menu),
// until it returns true.
class CModalWatch {
 public:
  explicit CModalWatch(std::function<bool()> step) : step(std::move(step)) {
    current = this;
    timer = SetTimer(nullptr, 0, 50, Tick);
  }
  ~CModalWatch() {
    KillTimer(nullptr, timer);
    current = nullptr;
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current && !current->done) current->done = current->step();
  }
  std::function<bool()> step;
  UINT_PTR timer;
  bool done = false;
  static inline CModalWatch* current = nullptr;
};

// The active dialog box other than `owner` (a message box or a modal dialog), or null.
inline HWND ActiveBox(HWND owner) {
  const HWND active = GetActiveWindow();
  wchar_t className[16] = {};
  GetClassNameW(active, className, 16);
  return active && active != owner && std::wstring(className) == L"#32770" ? active : nullptr;
}

// The visible pop-up menu window, or null.
inline HWND OpenMenuWindow() {
  HWND found = nullptr;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr))
    if (IsWindowVisible(w)) found = w;
  return found;
}

// The largest difference, in any colour channel of any pixel, between a drive's menu picture as
// the command bar draws it and the drive's shell icon drawn by DrawIconEx at the small-icon size,
// both onto white and onto black; 256 when the drive has no picture of that size.
inline int PictureDifference(CMainDlg& dialog, char16_t letter) {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  const UINT command = TrayDriveCommand(letter);
  const UniqueIcon icon{
      ImageList_GetIcon(dialog.systemImageList, dialog.driveIcons[letter], ILD_NORMAL)};
  const SIZE size = dialog.trayIcon.commandBar.ImageSize();
  if (!icon || size.cx != cx || size.cy != cy || dialog.trayIcon.commandBar.ImageOf(command) < 0)
    return 256;
  // The picture at the left, the icon at the right.
  const CWindowDC screen(nullptr);
  const UniqueMemoryDC dc{CreateCompatibleDC(screen.get())};
  const UniqueBitmap canvas{CreateCompatibleBitmap(screen.get(), 2 * cx, cy)};
  const CSelectObject select(dc.get(), canvas.get());
  DRAWITEMSTRUCT item{ODT_MENU, 0, command, 0, 0, nullptr, dc.get(), {0, 0, cx, cy}, 0};
  int largest = 0;
  for (const COLORREF background : {RGB(255, 255, 255), RGB(0, 0, 0)}) {
    const RECT all{0, 0, 2 * cx, cy};
    SetDCBrushColor(dc.get(), background);
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    ::SendMessageW(dialog.trayIcon.commandBar.Handle(), WM_DRAWITEM, 0,
                   reinterpret_cast<LPARAM>(&item));
    DrawIconEx(dc.get(), cx, 0, icon.get(), cx, cy, 0, nullptr, DI_NORMAL);
    for (int y = 0; y < cy; ++y)
      for (int x = 0; x < cx; ++x)
        for (const int shift : {0, 8, 16})
          largest = std::max(largest, std::abs(int(GetPixel(dc.get(), x, y) >> shift & 0xFF) -
                                               int(GetPixel(dc.get(), cx + x, y) >> shift & 0xFF)));
  }
  return largest;
}

class MainDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    // Each test starts from the defaults; the dialog saves its state when it is destroyed.
    DeleteFileW(SettingsPath().c_str());
    volumes.hotplug = {{u'P', 1}};
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    list = dialog.GetDlgItem(IDC_DRIVE_LIST);
  }
  void TearDown() override {
    if (dialog.IsWindow()) dialog.DestroyWindow();
    DeleteFileW(SettingsPath().c_str());
  }

  static LRESULT Broadcast(HWND window, WPARAM event, DWORD mask, WORD flags = 0) {
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = mask;
    volume.dbcv_flags = flags;
    return ::SendMessageW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume));
  }
  LRESULT SendVolume(WPARAM event, char16_t letter, DWORD mask = 0, WORD flags = 0) {
    return Broadcast(dialog.Handle(), event, mask ? mask : 1u << (letter - u'A'), flags);
  }
  LRESULT Command(UINT id, UINT code = BN_CLICKED, HWND control = nullptr) {
    return dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
  }
  // Chosen drives shown in the list, as the settings would give them.
  void Choose(const DriveTable& drives) {
    dialog.chosenDrives = drives;
    dialog.FillChosenList();
  }

  std::vector<std::wstring> ListLines() const {
    std::vector<std::wstring> lines;
    const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t line[1024] = {};
      ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
      lines.emplace_back(line);
    }
    return lines;
  }

  // A line that only a refresh of the list removes.
  void AddSentinel() {
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"sentinel"));
  }
  bool SentinelShown() const {
    for (const auto& line : ListLines())
      if (line == L"sentinel") return true;
    return false;
  }

  // The balloon's text since ClearBalloon: empty when none was shown.
  void ClearBalloon() { dialog.trayIcon.iconData.szInfo[0] = L'\0'; }
  std::wstring Balloon() const { return dialog.trayIcon.iconData.szInfo; }

  CTestVolumes volumes;
  CMainDlg dialog{volumes};
  HWND list = nullptr;
};
