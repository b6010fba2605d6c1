#include "app/main_dlg.h"

#include "app/module_directory.h"
#include "drives/drive_discovery.h"
#include "drives/system_volumes.h"
#include "drives/volume_broadcast.h"
#include "framework/module.h"
#include "framework/reflection.h"
#include "framework/system_function.h"
#include "framework/wide.h"
#include "localisation/lang_manager.h"
#include "settings/autostart.h"
#include "settings/settings_file.h"
#include "tray/tray_rules.h"

namespace {

HICON LoadProgramIcon(int width, int height) {
  return static_cast<HICON>(LoadImageW(g_baseModule.ResourceInstance(), MAKEINTRESOURCEW(128),
                                       IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

// The icon at the size the notification area draws it, scaled down from the group's larger
// images rather than stretched up by the shell.
HICON LoadTrayIcon() {
  using LoadIconMetricFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
  const auto loadIconMetric =
      SystemFunction<LoadIconMetricFunction>(L"comctl32.dll", "LoadIconMetric");  // version 6
  constexpr int kSmall = 0;                                                       // LIM_SMALL
  HICON icon = nullptr;
  if (loadIconMetric && SUCCEEDED(loadIconMetric(g_baseModule.ResourceInstance(),
                                                 MAKEINTRESOURCEW(128), kSmall, &icon)))
    return icon;
  return LoadProgramIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
}

}  // namespace

CMainDlg::CMainDlg(const IVolumes& volumes)
    : CUpdateUI({IDC_DRIVE_LIST, IDC_ADD, IDC_REMOVE, IDC_CLEAR}), volumes(volumes) {
  // Remove and Clear disable themselves when they have done their work; the next tab stop would
  // be the other of the two, whose Enter or Space the user did not mean.
  UISetFocusOnDisable(IDC_REMOVE, IDC_DRIVE_LIST);
  UISetFocusOnDisable(IDC_CLEAR, IDC_DRIVE_LIST);
  wakeList.reserve(26);
}

// The map, in the order handlers are tried.
BOOL CMainDlg::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId) {
  if (mapId != 0) return FALSE;
  result = 0;
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    case WM_TIMER:
      OnWakeTimer(wParam);
      return TRUE;
    case WM_DEVICECHANGE:
      result = OnDeviceChange(wParam, lParam);
      return TRUE;
    case WM_SIZE:
      OnMinimize(static_cast<UINT>(wParam));
      return TRUE;
    case WM_TRAYNOTIFY:
      trayIcon.HandleTrayMessage(wParam, lParam);
      if (trayRebuildPending && IsWindow()) RebuildTrayMenu();
      return TRUE;
    case WM_ENDSESSION:
      // Logoff or shutdown ends the program without an exit command: keep what the user set.
      if (wParam) SaveSettings();
      return TRUE;
    case WM_COMMAND: {
      const UINT id = LOWORD(wParam);
      const UINT code = HIWORD(wParam);
      const auto control = reinterpret_cast<HWND>(lParam);
      switch (id) {
        case IDCANCEL:
          OnHide();
          return TRUE;
        case IDC_ABOUT:
          OnAbout();
          return TRUE;
        case IDC_HIDE:
          OnHide();
          return TRUE;
        case IDC_EXIT:
          OnExit();
          return TRUE;
        case IDC_ADD:
          OnAddDrives();
          return TRUE;
        case IDC_REMOVE:
          OnRemoveDrive();
          return TRUE;
        case IDC_CLEAR:
          OnClearDrives();
          return TRUE;
        case IDC_AUTOSTART:
          OnAutostart(code, control);
          return TRUE;
        case IDC_BALLOONS:
          OnShowBalloons(code, control);
          return TRUE;
        case ID_TRAY_EXIT:
          OnExit();
          return TRUE;
        case ID_TRAY_SHOW:
          OnShowSettings();
          return TRUE;
        case IDC_LANGUAGE:
          if (code != CBN_SELCHANGE) break;
          OnLanguageChange();
          return TRUE;
        case IDC_MODE_ALL:
        case IDC_MODE_HOTPLUG:
        case IDC_MODE_HOTPLUG_AND_LIST:
        case IDC_MODE_LIST:
          OnModeChange(code, static_cast<int>(id));
          return TRUE;
        default:
          if (id >= TrayDriveCommand(u'A') && id <= TrayDriveCommand(u'Z')) {
            OnOpenDrive(id);
            return TRUE;
          }
          break;
      }
      break;
    }
    default:
      if (showRequestMessage != 0 && message == showRequestMessage) {
        OnShowSettings();
        return TRUE;
      }
      break;
  }
  return ReflectNotification(hwnd, message, wParam, lParam, result);
}

BOOL CMainDlg::PreTranslateMessage(MSG* msg) {
  return IsDialogMessageW(hwnd, msg);
}

BOOL CMainDlg::OnIdle() {
  const bool listMode = wakeMode > WakeHotplugDrives;
  const auto selection = ::SendMessageW(chosenList, LB_GETCURSEL, 0, 0);
  const auto count = ::SendMessageW(chosenList, LB_GETCOUNT, 0, 0);
  UIEnable(IDC_DRIVE_LIST, listMode);
  UIEnable(IDC_ADD, listMode);
  UIEnable(IDC_REMOVE, listMode && selection >= 0);
  UIEnable(IDC_CLEAR, listMode && count > 0);
  UIUpdateChildWindows();
  return FALSE;
}

BOOL CMainDlg::OnInitDialog() {
  CenterWindow();

  SHFILEINFOW fileInfo{};
  systemImageList = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"*.txt", FILE_ATTRIBUTE_NORMAL, &fileInfo, sizeof fileInfo,
                     SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));

  moduleDirectory = ModuleDirectoryFromPath(ModuleFileName());
  deviceNotify = RegisterVolumeNotifications(hwnd);
  if (IsAutostartRegistered()) CheckDlgButton(hwnd, IDC_AUTOSTART, BST_CHECKED);
  // A greyed Close command also disables the caption's close button.
  EnableMenuItem(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

  chosenList = GetDlgItem(IDC_DRIVE_LIST);
  languageCombo = GetDlgItem(IDC_LANGUAGE);

  intervalEdit.Attach(GetDlgItem(IDC_INTERVAL));
  intervalEdit.allowNegative = FALSE;
  intervalEdit.steppingEnabled = TRUE;
  intervalEdit.minimum = 1;
  intervalEdit.maximum = 15;
  intervalEdit.SetValue(kDefaultIntervalMinutes);

  smallIcon.reset(LoadTrayIcon());
  trayMenu.reset(LoadMenuW(g_baseModule.ResourceInstance(), MAKEINTRESOURCEW(kTrayMenuId)));

  LoadSettings();
  CheckDlgButton(hwnd, IDC_BALLOONS, showBalloons ? BST_CHECKED : BST_UNCHECKED);

  g_langManager.SetLanguageFolder(moduleDirectory + u"lang\\");
  g_langManager.ScanLanguages();
  if (languageName.empty()) languageName = u"English";
  g_langManager.SelectLanguage(languageName);
  g_langManager.ForEachLanguage([this](const std::u16string& name) {
    ::SendMessageW(languageCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(name)));
  });
  ::SendMessageW(languageCombo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(AsWide(languageName)));

  trayIcon.CreateTrayIcon(hwnd, smallIcon.get());  // without an icon the dialog still works
  // The drive pictures have the small-icon size, as in the shell's own menus.
  trayIcon.commandBar.SetImageSize(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  trayIcon.commandBar.SetAlphaImages(true);
  trayIcon.SetTrayMenu(trayMenu.get());
  trayIcon.SetDefaultItem(ID_TRAY_SHOW, false);

  FindFixedDrives(volumes, availableDrives);
  for (const auto& [letter, flag] : availableDrives) {
    if (!driveIcons.contains(letter)) driveIcons[letter] = SmallIconIndex(letter);
  }
  CheckRadioButton(hwnd, IDC_MODE_ALL, IDC_MODE_LIST, ModeButton(wakeMode));
  FillChosenList();
  RebuildTrayMenu();

  g_langManager.TranslateWindow(hwnd);
  g_langManager.TranslateMenu(TrayPopup());
  // After the translation, so that the title is never translated.
  ModifyMenuW(TrayPopup(), 0, MF_BYPOSITION | MF_DISABLED | MF_GRAYED, static_cast<UINT_PTR>(-1),
              AsWide(kProductLine));

  // The window keeps these two icons to its end; they are never destroyed.
  SendMessage(WM_SETICON, ICON_BIG,
              reinterpret_cast<LPARAM>(
                  LoadProgramIcon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON))));
  SendMessage(WM_SETICON, ICON_SMALL,
              reinterpret_cast<LPARAM>(
                  LoadProgramIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON))));

  if (CMessageLoop* loop = g_appModule.GetMessageLoop()) {
    loop->AddMessageFilter(this);
    loop->AddIdleHandler(this);
  }
  UIAddChildWindowContainer(hwnd);

  ArmWakeTimer(intervalEdit.GetValue());
  return TRUE;
}

void CMainDlg::ArmWakeTimer(std::int64_t minutes) {
  wakePeriod = static_cast<UINT>(minutes * 60000);
  SetTimer(hwnd, IDT_WAKE, wakePeriod, nullptr);  // a failure leaves the drives unwoken
}

void CMainDlg::OnDestroy() {
  SaveSettings();
  for (auto& [letter, bitmap] : menuBitmaps) bitmap.reset();
  if (CMessageLoop* loop = g_appModule.GetMessageLoop()) {
    loop->RemoveMessageFilter(this);
    loop->RemoveIdleHandler(this);
  }
}

// A changed interval reaches the running timer only when the dialog hides; an unchanged one
// leaves its countdown alone.
void CMainDlg::RearmIfIntervalChanged() {
  const std::int64_t interval = intervalEdit.GetValue();
  if (intervalAtShow > 0 && intervalAtShow != interval) ArmWakeTimer(interval);
}

void CMainDlg::OnHide() {
  SaveSettings();
  RearmIfIntervalChanged();
  ShowWindow(SW_HIDE);
}

void CMainDlg::OnMinimize(UINT sizeType) {
  if (sizeType != SIZE_MINIMIZED) return;
  RearmIfIntervalChanged();
  ShowWindow(SW_HIDE);
}

void CMainDlg::OnShowSettings() {
  if (!IsWindowVisible(hwnd)) {
    intervalAtShow = static_cast<std::int32_t>(intervalEdit.GetValue());
    CenterWindow();
    ShowWindow(SW_SHOWNORMAL);  // also restores a minimised window
  }
  SetForegroundWindow(hwnd);
  SetActiveWindow(hwnd);
}

void CMainDlg::OnExit() {
  KillTimer(hwnd, IDT_WAKE);
  DestroyWindow();
  PostQuitMessage(0);
}

void CMainDlg::OnAutostart(UINT code, HWND checkBox) {
  if (code != BN_CLICKED) return;
  if (!checkBox) checkBox = GetDlgItem(IDC_AUTOSTART);
  SetAutostart(moduleDirectory, ::SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED);
  // Show what the registry holds, not what was clicked: without write access to the key the
  // program will not start with Windows, and the box must not say it will.
  CheckDlgButton(hwnd, IDC_AUTOSTART, IsAutostartRegistered() ? BST_CHECKED : BST_UNCHECKED);
}

void CMainDlg::LoadSettings() {
  Settings settings;
  settings.wakeMode = wakeMode;
  settings.chosenDrives = chosenDrives;
  settings.interval = static_cast<std::int32_t>(intervalEdit.value);
  settings.languageName = languageName;
  settings.showBalloons = showBalloons;
  ReadSettingsFile(moduleDirectory + u"settings.cfg", settings);
  wakeMode = settings.wakeMode;
  chosenDrives = std::move(settings.chosenDrives);
  // The edit clamps the stored interval to its bounds.
  intervalEdit.SetValue(settings.interval);
  languageName = std::move(settings.languageName);
  showBalloons = settings.showBalloons;
}

void CMainDlg::SaveSettings() {
  Settings settings;
  settings.wakeMode = wakeMode;
  settings.chosenDrives = chosenDrives;
  settings.interval = static_cast<std::int32_t>(intervalEdit.GetValue());
  settings.languageName = languageName;
  settings.showBalloons = showBalloons;
  // A failed save is silent; the previous file stays as it was.
  WriteSettingsFile(moduleDirectory + u"settings.cfg", settings);
}
