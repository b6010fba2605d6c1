// The settings dialog: owner of all run-time state and the hub every message goes through.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include <shellapi.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "controls/qx_custom_edit.h"
#include "drives/drive_table.h"
#include "drives/volumes.h"
#include "framework/dialog_impl.h"
#include "framework/handle.h"
#include "framework/message_loop.h"
#include "framework/update_ui.h"
#include "tray/tray_notify_icon.h"

// Controls of dialog 129, in tab order.
constexpr int IDC_MODE_ALL = 1000;
constexpr int IDC_MODE_HOTPLUG = 1001;
constexpr int IDC_MODE_HOTPLUG_AND_LIST = 1002;
constexpr int IDC_MODE_LIST = 1003;
constexpr int IDC_DRIVE_LIST = 1004;
constexpr int IDC_ADD = 1005;
constexpr int IDC_REMOVE = 1006;
constexpr int IDC_CLEAR = 1007;
constexpr int IDC_INTERVAL = 1008;
constexpr int IDC_AUTOSTART = 1009;
constexpr int IDC_ABOUT = 57664;
constexpr int IDC_LANGUAGE = 1010;
constexpr int IDC_EXIT = 1011;
constexpr int IDC_HIDE = 1016;
constexpr int IDC_BALLOONS = 1012;

// The radio button of a wake mode; 0, which is none of them, for a mode outside 0 to 3.
constexpr int ModeButton(std::int32_t mode) {
  return mode >= 0 && mode <= 3 ? IDC_MODE_ALL + mode : 0;
}
// An overflow here would not compile.
static_assert(ModeButton(INT32_MAX) == 0 && ModeButton(-1) == 0 && ModeButton(3) == IDC_MODE_LIST);

constexpr UINT_PTR IDT_WAKE = 1001;
constexpr std::int32_t kDefaultIntervalMinutes = 10;

class CMainDlg : public CDialogImpl<CMainDlg>,
                 public CUpdateUI,
                 public CMessageFilter,
                 public CIdleHandler {
 public:
  static constexpr UINT IDD = 129;

  // `volumes` must outlive the dialog.
  explicit CMainDlg(const IVolumes& volumes);

  BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            DWORD mapId = 0) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnIdle() override;

  // Handlers.
  BOOL OnInitDialog();
  void OnDestroy();
  void OnWakeTimer(UINT_PTR timerId);
  LRESULT OnDeviceChange(WPARAM event, LPARAM data);
  void OnMinimize(UINT sizeType);
  void OnHide();
  void OnExit();
  void OnShowSettings();
  void OnAbout();
  void OnAddDrives();
  void OnRemoveDrive();
  void OnClearDrives();
  void OnAutostart(UINT code, HWND checkBox);
  void OnShowBalloons(UINT code, HWND checkBox);
  void OnLanguageChange();
  void OnModeChange(UINT code, int id);
  void OnOpenDrive(UINT command);

  // The settings file beside the executable.
  void LoadSettings();
  void SaveSettings();

  // Fills list box 1004 with one description per chosen drive, in letter order.
  void FillChosenList();
  // Rebuilds the tray's drive submenu and its pictures and, with balloons on, shows the drives.
  void RebuildTrayMenu();
  void AddTrayDriveEntry(char16_t letter, std::int32_t flag);

  // (Re)starts IDT_WAKE with a period of `minutes`.
  void ArmWakeTimer(std::int64_t minutes);

  CTrayNotifyIcon trayIcon;
  HDEVNOTIFY deviceNotify = nullptr;  // never unregistered: it ends with the window
  std::u16string moduleDirectory;
  std::u16string languageName;
  HWND languageCombo = nullptr;
  QxCustomEdit intervalEdit;  // the wake interval in minutes; no other member holds it
  HWND chosenList = nullptr;
  UniqueIcon smallIcon;                          // the tray icon, at the small-icon size
  UniqueMenu trayMenu;                           // lent to trayIcon
  std::map<char16_t, UniqueBitmap> menuBitmaps;  // tray menu pictures; deleted in OnDestroy
  DriveIcons driveIcons;
  HIMAGELIST systemImageList = nullptr;  // the shell's; borrowed, never destroyed
  std::int32_t showBalloons = 1;
  std::u16string balloonText;
  DriveTable availableDrives;
  DriveTable chosenDrives;
  std::int32_t wakeMode = WakeHotplugAndChosen;
  std::int32_t intervalAtShow = 0;  // recorded when the dialog is shown; 0: none

  // Another start from this program's folder asks for the dialog with this registered message;
  // 0 when there is none.
  UINT showRequestMessage = 0;
  // A drive came or went while the tray menu was open.
  bool trayRebuildPending = false;
  // The period IDT_WAKE was last armed with, in milliseconds.
  UINT wakePeriod = 0;
  // Opens a drive in the shell's file browser; tests watch it instead.
  decltype(&ShellExecuteW) shellExecute = ShellExecuteW;

 private:
  void RefreshDrives();
  void RearmIfIntervalChanged();
  // The tray pop-up (position 0 of the menu) and its drive submenu (position 3 of the pop-up).
  HMENU TrayPopup() const { return GetSubMenu(trayMenu.get(), 0); }
  HMENU TrayDrives() const { return GetSubMenu(TrayPopup(), 3); }
  UniqueBitmap DrawDrivePicture(char16_t letter);

  const IVolumes& volumes;
  std::vector<DriveEntry> wakeList;  // the drives of the current tick, room for all 26
};
