// The one notification-area icon: the record handed to the shell, a hidden helper window that
// re-adds the icon when the taskbar is re-created, the tray menu with its default item, and the
// command bar that draws the menu's pictures and shows it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "framework/command_bar.h"
#include "framework/window_impl.h"

// The callback message of the icon, sent to the notify window.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 100;
constexpr UINT kTrayIconId = 201;
constexpr UINT kTrayMenuId = 201;

// The object's own window (from the base) is the hidden helper window.
class CTrayNotifyIcon : public CWindowImpl {
 public:
  CTrayNotifyIcon();
  ~CTrayNotifyIcon() override;
  CTrayNotifyIcon(const CTrayNotifyIcon&) = delete;
  CTrayNotifyIcon& operator=(const CTrayNotifyIcon&) = delete;

  // Loads the menu, creates the helper window, adds the icon and creates the command bar as a
  // child of `notifyWindow`, which receives the callback message and the menu's commands.
  // True when the icon was added.
  bool CreateTrayIcon(HWND notifyWindow, HICON icon);
  // Borrows `menu` instead of the one this object loaded, which it destroys.
  void SetTrayMenu(HMENU menu);
  void SetDefaultItem(UINT item, bool byPosition);
  // The callback message's wParam and lParam; false when it is not this icon's.
  virtual bool HandleTrayMessage(WPARAM wParam, LPARAM lParam);
  // A balloon over the icon, cut to 255 characters, dropped when it cannot show at once. Nothing
  // while the icon is not added.
  void ShowBalloon(const std::u16string& text);

  // The helper window's messages.
  BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            DWORD mapId = 0) override;

  // Readable by the dialog and its tests; the destructor, not the order of these fields, decides
  // the order of teardown.
  NOTIFYICONDATAW iconData;  // the one record of every Shell_NotifyIconW call
  BOOL added = FALSE;        // whether the shell holds the icon
  int shellLevel = 0;
  CCommandBarCtrl commandBar;
  // Every call goes through here; tests watch it instead.
  decltype(&Shell_NotifyIconW) shellNotifyIcon = Shell_NotifyIconW;

  // The helper window's timer that adds the icon again while the shell refuses it.
  static constexpr UINT_PTR kAddRetryTimer = 1;

 private:
  HMENU Popup() const { return GetSubMenu(trayMenu, 0); }
  bool AddIcon();
  void ReAddIcon();
  bool CreateHelperWindow();
  // Shows the pop-up at the cursor; whether an item was chosen.
  bool ShowMenu();
  void SendDefaultCommand();

  HMENU trayMenu = nullptr;
  bool ownsMenu = false;
  UINT defaultItem = 0;
  BOOL defaultByPosition = TRUE;
  // The last callback opened the menu from a right-click, which the shell follows with
  // WM_CONTEXTMENU.
  bool menuFromRightClick = false;
  // The last callback was the icon's own left button-up, which the shell follows with NIN_SELECT.
  bool leftButtonUp = false;
};
