#include "app/main_dlg.h"

#include <shellapi.h>

#include "app/module_directory.h"
#include "controls/about_dlg.h"
#include "drives/drive_discovery.h"
#include "drives/system_volumes.h"
#include "framework/module.h"
#include "framework/wide.h"
#include "localisation/lang_manager.h"
#include "settings/autostart.h"
#include "settings/settings_file.h"

namespace {

// {25DBCE51-6C8F-4A72-8A6D-B54C2B4FC835}: the device-interface class the dialog registers for.
constexpr GUID kDeviceInterfaceClass = {
    0x25DBCE51, 0x6C8F, 0x4A72, {0x8A, 0x6D, 0xB5, 0x4C, 0x2B, 0x4F, 0xC8, 0x35}};

std::u16string ModulePath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FromWide(path, length < MAX_PATH ? length : MAX_PATH - 1);
}

}  // namespace

CMainDlg::CMainDlg(const IVolumes& volumes)
    : CUpdateUI({IDC_DRIVE_LIST, IDC_ADD, IDC_REMOVE, IDC_CLEAR}), volumes(volumes) {}

BOOL CMainDlg::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId) {
  if (mapId != 0) return FALSE;
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
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_ABOUT:
          OnAbout();
          return TRUE;
        case IDC_EXIT:
          OnExit();
          return TRUE;
        case IDC_AUTOSTART:
          OnAutostart(HIWORD(wParam), reinterpret_cast<HWND>(lParam));
          return TRUE;
        case IDC_LANGUAGE:
          if (HIWORD(wParam) != CBN_SELCHANGE) return FALSE;
          OnLanguageChange();
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
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

  moduleDirectory = ModuleDirectoryFromPath(ModulePath());
  RegisterForDeviceNotifications();
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

  FindFixedDrives(volumes, availableDrives);
  for (const auto& [letter, flag] : availableDrives) {
    if (!driveIcons.contains(letter)) driveIcons[letter] = SmallIconIndex(letter);
  }
  CheckRadioButton(hwnd, IDC_MODE_ALL, IDC_MODE_LIST, IDC_MODE_ALL + wakeMode);
  FillChosenList();
  g_langManager.TranslateWindow(hwnd);

  // The window keeps these two icons to its end; they are never destroyed.
  const HINSTANCE instance = g_baseModule.ResourceInstance();
  SendMessage(WM_SETICON, ICON_BIG,
              reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(128), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXICON),
                                                  GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR)));
  SendMessage(WM_SETICON, ICON_SMALL,
              reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(128), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));

  if (CMessageLoop* loop = g_appModule.GetMessageLoop()) {
    loop->AddMessageFilter(this);
    loop->AddIdleHandler(this);
  }
  UIAddChildWindowContainer(hwnd);

  SetTimer(hwnd, IDT_WAKE, static_cast<UINT>(intervalEdit.GetValue() * 60000), nullptr);
  return TRUE;
}

void CMainDlg::RegisterForDeviceNotifications() {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kDeviceInterfaceClass;
  deviceNotify = RegisterDeviceNotificationW(hwnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CMainDlg::OnDestroy() {
  SaveSettings();
  for (auto& [letter, bitmap] : menuBitmaps) bitmap.reset();
  if (CMessageLoop* loop = g_appModule.GetMessageLoop()) {
    loop->RemoveMessageFilter(this);
    loop->RemoveIdleHandler(this);
  }
}

void CMainDlg::OnExit() {
  KillTimer(hwnd, IDT_WAKE);
  DestroyWindow();
  PostQuitMessage(0);
}

void CMainDlg::OnAutostart(UINT code, HWND checkBox) {
  if (code != BN_CLICKED) return;
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

void CMainDlg::OnLanguageChange() {
  const auto selection = ::SendMessageW(languageCombo, CB_GETCURSEL, 0, 0);
  const auto length = ::SendMessageW(languageCombo, CB_GETLBTEXTLEN, selection, 0);
  if (selection < 0 || length < 0) return;
  std::u16string name(static_cast<std::size_t>(length) + 1, u'\0');
  ::SendMessageW(languageCombo, CB_GETLBTEXT, selection, reinterpret_cast<LPARAM>(name.data()));
  name.resize(static_cast<std::size_t>(length));
  if (name == languageName) return;
  languageName = name;
  g_langManager.SelectLanguage(languageName);
  g_langManager.TranslateWindow(hwnd);
  // The drive descriptions carry translated texts.
  FillChosenList();
}

void CMainDlg::OnAbout() {
  CAboutDlg about;
  about.DoModal(GetActiveWindow());
}
