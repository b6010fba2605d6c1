#include "tray/tray_notify_icon.h"

#include <shlwapi.h>

#include <algorithm>
#include <utility>

#include "framework/module.h"
#include "framework/system_function.h"
#include "tray/taskbar_created.h"
#include "tray/tray_rules.h"

namespace {

constexpr wchar_t kHelperClass[] = L"TrayNotifyIconClass";
constexpr UINT kAddRetryPeriod = 5000;  // milliseconds

// Copies at most `limit` characters of `text` into a fixed field, always terminated.
template <std::size_t N>
void CopyCut(wchar_t (&field)[N], const wchar_t* text, std::size_t limit) {
  const std::size_t length = std::min({wcslen(text), limit, N - 1});
  std::copy_n(text, length, field);
  field[length] = L'\0';
}

int ShellLevelOfSystem() {
  const auto getVersion = SystemFunction<DLLGETVERSIONPROC>(L"SHELL32.DLL", "DllGetVersion");
  DLLVERSIONINFO version{};
  version.cbSize = sizeof version;  // 20
  const bool known = getVersion && SUCCEEDED(getVersion(&version));
  return ShellLevel(known, version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber);
}

}  // namespace

CTrayNotifyIcon::CTrayNotifyIcon() : iconData{}, shellLevel(ShellLevelOfSystem()) {
  iconData.cbSize = NotifyIconDataSize(shellLevel);
}

CTrayNotifyIcon::~CTrayNotifyIcon() {
  if (added) {
    iconData.uFlags = 0;
    shellNotifyIcon(NIM_DELETE, &iconData);
    added = FALSE;
  }
  if (hwnd) ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
  commandBar.DestroyImages();
  if (ownsMenu) DestroyMenu(trayMenu);
}

bool CTrayNotifyIcon::CreateTrayIcon(HWND notifyWindow, HICON icon) {
  trayMenu = LoadMenuW(g_baseModule.ResourceInstance(), MAKEINTRESOURCEW(kTrayMenuId));
  if (!trayMenu) return false;
  ownsMenu = true;
  const HMENU popup = Popup();
  if (!popup) return false;
  SetMenuDefaultItem(popup, defaultItem, defaultByPosition);
  if (!CreateHelperWindow()) return false;

  iconData.hWnd = notifyWindow;
  iconData.hIcon = icon;
  iconData.uID = kTrayIconId;
  iconData.uCallbackMessage = WM_TRAYNOTIFY;
  CopyCut(iconData.szTip, reinterpret_cast<const wchar_t*>(kProductLine), 127);
  AddIcon();
  commandBar.Create(notifyWindow);
  return added;
}

// The shell forgets the callback version with the icon: it is asked for after every add. An add
// fails when the taskbar is not ready yet, as at logon, and "TaskbarCreated" need not follow:
// the helper window then tries again until the icon is there.
bool CTrayNotifyIcon::AddIcon() {
  iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  // A busy shell may time out an add that it carries out all the same; every later add of the
  // same id would then fail, and only a modify tells.
  added = shellNotifyIcon(NIM_ADD, &iconData) || shellNotifyIcon(NIM_MODIFY, &iconData);
  if (!added) {
    SetTimer(hwnd, kAddRetryTimer, kAddRetryPeriod, nullptr);
    return false;
  }
  KillTimer(hwnd, kAddRetryTimer);
  if (shellLevel >= 1) {
    iconData.uVersion = NOTIFYICON_VERSION;
    shellNotifyIcon(NIM_SETVERSION, &iconData);  // an older behaviour is no loss
  }
  return true;
}

bool CTrayNotifyIcon::CreateHelperWindow() {
  const HINSTANCE instance = g_baseModule.Instance();
  WNDCLASSEXW helperClass{};
  helperClass.cbSize = sizeof helperClass;
  if (!GetClassInfoExW(instance, kHelperClass, &helperClass)) {
    helperClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    helperClass.lpfnWndProc = ::DefWindowProcW;
    helperClass.hInstance = instance;
    helperClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    helperClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    helperClass.lpszClassName = kHelperClass;
    if (!RegisterClassExW(&helperClass)) return false;
  }
  const HWND helper =
      CreateWindowExW(0, kHelperClass, L"CTrayNotifyIcon Helper Window", WS_OVERLAPPEDWINDOW,
                      CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
  if (!helper) return false;
  if (!SubclassWindow(helper)) {
    ::DestroyWindow(helper);
    return false;
  }
  // Explorer broadcasts "TaskbarCreated" from a normal process: an elevated program only sees it
  // when it lets it through.
  AllowMessageFromLowerIntegrity(helper, WM_TASKBARCREATED);
  return true;
}

void CTrayNotifyIcon::SetTrayMenu(HMENU menu) {
  if (menu != trayMenu && ownsMenu) DestroyMenu(trayMenu);
  ownsMenu = false;
  trayMenu = menu;
  if (const HMENU popup = Popup()) SetMenuDefaultItem(popup, defaultItem, defaultByPosition);
}

void CTrayNotifyIcon::SetDefaultItem(UINT item, bool byPosition) {
  defaultItem = item;
  defaultByPosition = byPosition;
  if (const HMENU popup = trayMenu ? Popup() : nullptr)
    SetMenuDefaultItem(popup, defaultItem, defaultByPosition);
}

bool CTrayNotifyIcon::HandleTrayMessage(WPARAM wParam, LPARAM lParam) {
  // Version 3 callbacks at most: the icon id is wParam, the event the whole of lParam.
  if (static_cast<UINT>(wParam) != kTrayIconId) return false;
  const bool afterRightClick = std::exchange(menuFromRightClick, false);
  const bool afterLeftClick = std::exchange(leftButtonUp, false);
  switch (static_cast<UINT>(lParam)) {
    case WM_RBUTTONUP:
      // Set before the menu opens: the WM_CONTEXTMENU that follows may arrive while it is open.
      menuFromRightClick = true;
      ShowMenu();
      break;
    case WM_CONTEXTMENU:
      // The menu key or Shift+F10 on the selected icon; after a right-click, that click's menu
      // has been shown already.
      if (afterRightClick || commandBar.IsTracking()) break;
      // Cancelled from the keyboard (Esc), the window still in front: the keyboard user goes on
      // in the notification area. A click on another window also closes it without a choice,
      // and that window keeps the focus.
      if (!ShowMenu() && GetForegroundWindow() == iconData.hWnd) {
        iconData.uFlags = 0;
        shellNotifyIcon(NIM_SETFOCUS, &iconData);
      }
      break;
    case WM_LBUTTONUP:
      leftButtonUp = true;
      break;
    // A version 3 shell follows every left button-up with NIN_SELECT, which then does nothing:
    // one click must not open the settings. Any other NIN_SELECT is Enter on an icon that the
    // mouse selected. A shell may send NIN_KEYSELECT twice for one Enter, which is harmless.
    case NIN_SELECT:
      if (!afterLeftClick) SendDefaultCommand();
      break;
    case WM_LBUTTONDBLCLK:
    case NIN_KEYSELECT:  // Enter or Space on the selected icon
      SendDefaultCommand();
      break;
    default:
      break;
  }
  return true;
}

bool CTrayNotifyIcon::ShowMenu() {
  const HWND owner = iconData.hWnd;
  POINT cursor{};
  GetCursorPos(&cursor);
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT command = commandBar.TrackPopupMenu(Popup(), 0, cursor.x, cursor.y);
  // Lets the foreground switch finish, so that a second right-click opens the menu again.
  PostMessageW(owner, WM_NULL, 0, 0);
  return command != 0;
}

void CTrayNotifyIcon::SendDefaultCommand() {
  const HWND owner = iconData.hWnd;
  SetForegroundWindow(owner);
  // A disabled default item answers -1: nothing is sent.
  const UINT command = GetMenuDefaultItem(Popup(), FALSE, GMDI_GOINTOPOPUPS);
  if (command != static_cast<UINT>(-1)) ::SendMessageW(owner, WM_COMMAND, command, 0);
}

void CTrayNotifyIcon::ShowBalloon(const std::u16string& text) {
  if (!added) return;
  // Real time: a balloon that cannot show now (quiet hours, a full-screen program) is dropped
  // rather than shown later with drives that may be gone by then.
  iconData.uFlags = NIF_INFO | NIF_REALTIME;
  CopyCut(iconData.szInfo, reinterpret_cast<const wchar_t*>(text.c_str()), 255);
  CopyCut(iconData.szInfoTitle, reinterpret_cast<const wchar_t*>(kProductLine), 63);
  iconData.uTimeout = 0;
  iconData.dwInfoFlags = NIIF_INFO | NIIF_LARGE_ICON;
  shellNotifyIcon(NIM_MODIFY, &iconData);
}

BOOL CTrayNotifyIcon::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM,
                                           LRESULT& result, DWORD mapId) {
  if (mapId != 0) return FALSE;
  if (message == WM_TASKBARCREATED) {
    ReAddIcon();
    result = 0;
    return TRUE;
  }
  if (message == WM_TIMER && wParam == kAddRetryTimer) {
    if (!added) AddIcon();
    result = 0;
    return TRUE;
  }
  if (message == WM_DESTROY) {
    result = 0;
    return TRUE;
  }
  return FALSE;
}

// Explorer restarted: the icon is gone from the new taskbar.
void CTrayNotifyIcon::ReAddIcon() {
  if (added) {
    iconData.uFlags = 0;
    shellNotifyIcon(NIM_DELETE, &iconData);
    added = FALSE;
  }
  AddIcon();
}
