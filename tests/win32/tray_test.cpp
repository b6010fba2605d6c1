// The tray icon, its menu with drive entries and pictures, and the menu across languages.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "drives/drive_discovery.h"
#include "framework/system_function.h"
#include "framework/window.h"
#include "tests/win32/main_dlg_fixture.h"
#include "tray/taskbar_created.h"
#include "tray/tray_rules.h"

namespace {

// What the program let through the message filter.
std::vector<std::pair<HWND, UINT>> allowed;
BOOL WINAPI RecordAllowed(HWND window, UINT message, DWORD action, void*) {
  if (action == 1) allowed.emplace_back(window, message);
  return TRUE;
}

// What the program asked the shell to open.
std::wstring opened;
HINSTANCE WINAPI RecordOpen(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                            LPCWSTR directory, INT show) {
  opened = std::wstring(owner ? L"owner " : L"") + verb + L" " + file +
           (parameters || directory ? L" more" : L"") + (show == SW_SHOWNORMAL ? L"" : L" show");
  return reinterpret_cast<HINSTANCE>(42);
}

// What the icon asked of the shell; the next `failingAdds` adds fail, as before the taskbar is up.
std::vector<DWORD> notified;
int failingAdds = 0;
BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAW data) {
  notified.push_back(message);
  if (message == NIM_ADD && failingAdds > 0) return --failingAdds, FALSE;
  return Shell_NotifyIconW(message, data);
}

// Counts a window's messages of one kind: menus opened by the command bar, or show commands
// that reach the dialog.
template <UINT kMessage, WORD kCommand = 0>
LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                       DWORD_PTR count) {
  if (message == kMessage && (!kCommand || LOWORD(wParam) == kCommand))
    ++*reinterpret_cast<int*>(count);
  return DefSubclassProc(window, message, wParam, lParam);
}
constexpr auto CountMenus = Count<WM_ENTERMENULOOP>;
constexpr auto CountShows = Count<WM_COMMAND, ID_TRAY_SHOW>;

class Tray : public MainDialog {
 protected:
  void SetUp() override {
    allowed.clear();
    notified.clear();
    g_changeWindowMessageFilterEx = RecordAllowed;
    dialog.trayIcon.shellNotifyIcon = RecordNotify;
    MainDialog::SetUp();
    dialog.shellExecute = RecordOpen;
  }

  NOTIFYICONDATAW Record() const {
    NOTIFYICONDATAW record = dialog.trayIcon.iconData;
    record.uFlags = 0;
    return record;
  }
  HMENU Popup() const { return GetSubMenu(dialog.trayMenu.get(), 0); }
  HMENU Drives() const { return GetSubMenu(Popup(), 3); }
  static std::u16string MenuText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return FromWide(text);
  }
};

TEST_F(Tray, IconAndHelperWindow) {
  const NOTIFYICONDATAW& icon = dialog.trayIcon.iconData;
  EXPECT_TRUE(dialog.trayIcon.added);
  EXPECT_EQ(icon.hWnd, dialog.Handle());
  EXPECT_EQ(icon.uID, 201u);
  EXPECT_EQ(icon.uCallbackMessage, 1124u);
  EXPECT_EQ(std::wstring(icon.szTip), L"Quorvalestrane v1.0.228 (64 bit)");

  const HWND helper = dialog.trayIcon.Handle();
  wchar_t className[32] = {};
  GetClassNameW(helper, className, 32);
  EXPECT_EQ(std::wstring(className), L"TrayNotifyIconClass");
  EXPECT_FALSE(IsWindowVisible(helper));
  // An elevated copy must still hear that Explorer restarted.
  EXPECT_EQ(allowed, (std::vector<std::pair<HWND, UINT>>{{helper, WM_TASKBARCREATED}}));

  // Explorer restarted: the icon comes back, without a balloon.
  NOTIFYICONDATAW record = Record();
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &record));
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &record));
  ClearBalloon();
  notified.clear();
  ::SendMessageW(helper, WM_TASKBARCREATED, 0, 0);
  EXPECT_TRUE(dialog.trayIcon.added);
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &record));
  EXPECT_EQ(Balloon(), L"");
  // The shell forgot the callback version with the icon.
  EXPECT_EQ(notified, (std::vector<DWORD>{NIM_DELETE, NIM_ADD, NIM_SETVERSION}));
  // An add that a busy shell carried out but answered as failed: the icon is there all the same.
  dialog.trayIcon.added = FALSE;
  ::SendMessageW(helper, WM_TASKBARCREATED, 0, 0);
  EXPECT_TRUE(dialog.trayIcon.added);

  // Destroyed while its window lives on: the icon leaves the notification area. Its first add
  // fails, as at logon before the taskbar is up; its own timer adds it later.
  const HWND window =
      CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  record.hWnd = window;
  {
    CTrayNotifyIcon other;
    other.shellNotifyIcon = RecordNotify;
    failingAdds = 1;
    EXPECT_FALSE(other.CreateTrayIcon(window, dialog.smallIcon.get()));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &record));
    EXPECT_TRUE(KillTimer(other.Handle(), CTrayNotifyIcon::kAddRetryTimer));  // it was armed
    notified.clear();
    ::SendMessageW(other.Handle(), WM_TIMER, CTrayNotifyIcon::kAddRetryTimer, 0);
    EXPECT_TRUE(other.added);
    EXPECT_EQ(notified, (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &record));
  }
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &record));
  DestroyWindow(window);
}

TEST_F(Tray, CallbacksShowTheDialogOnADoubleClickOrAKeySelection) {
  int shows = 0;
  SetWindowSubclass(dialog.Handle(), CountShows, 1, reinterpret_cast<DWORD_PTR>(&shows));
  // Clicks as a version 3 shell reports them.
  const struct {
    WPARAM icon;
    std::vector<LPARAM> events;
    int shows;
  } cases[] = {
      {201,
       {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT, WM_LBUTTONDBLCLK, WM_LBUTTONUP, NIN_SELECT},
       1},
      {201, {NIN_KEYSELECT}, 1},
      {201, {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT}, 0},
      {201, {NIN_SELECT}, 1},  // Enter on an icon selected with the mouse
      {201, {WM_MOUSEMOVE}, 0},
      {202, {WM_LBUTTONDBLCLK}, 0}};
  for (const auto& c : cases) {
    dialog.ShowWindow(SW_HIDE);
    shows = 0;
    for (const LPARAM event : c.events) dialog.SendMessage(WM_TRAYNOTIFY, c.icon, event);
    EXPECT_EQ(shows, c.shows) << c.icon << " " << c.events.size();
    EXPECT_EQ(IsWindowVisible(dialog.Handle()) != FALSE, c.shows > 0) << c.icon;
  }
  RemoveWindowSubclass(dialog.Handle(), CountShows, 1);
}

TEST_F(Tray, RightClickTracksTheMenuAtTheCursorAndPostsTheChoiceAfterwards) {
  SetCursorPos(200, 150);
  RECT menu{};
  {
    CModalWatch watch([&] {
      const HWND window = OpenMenuWindow();
      if (!window) return false;
      GetWindowRect(window, &menu);
      RECT exit{};
      GetMenuItemRect(nullptr, Popup(), 5, &exit);
      SetCursorPos((exit.left + exit.right) / 2, (exit.top + exit.bottom) / 2);
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
      return true;
    });
    dialog.SendMessage(WM_TRAYNOTIFY, 201, WM_RBUTTONUP);
  }
  EXPECT_EQ(menu.left, 200);
  EXPECT_EQ(menu.top, 150);
  // Exit arrives after the menu has closed: the dialog still exists here.
  EXPECT_TRUE(dialog.IsWindow());
  MSG posted;
  ASSERT_TRUE(PeekMessageW(&posted, dialog.Handle(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(posted.wParam, ID_TRAY_EXIT);
  EXPECT_TRUE(PeekMessageW(&posted, dialog.Handle(), WM_NULL, WM_NULL, PM_REMOVE));

  // Closed without a choice: no command. A right-click's WM_RBUTTONUP and WM_CONTEXTMENU show
  // one menu, whether the second arrives while the menu is open (posted together, as the shell
  // does) or after it closed; the keyboard's WM_CONTEXTMENU shows one that gives the focus back
  // to the notification area, unless a click on another window closed it.
  const HWND other = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                     nullptr, nullptr, nullptr, nullptr);
  int menus = 0;
  SetWindowSubclass(dialog.trayIcon.commandBar.Handle(), CountMenus, 1,
                    reinterpret_cast<DWORD_PTR>(&menus));
  const struct {
    std::vector<LPARAM> events;
    bool posted, focusBack, elsewhere = false;
  } clicks[] = {{{WM_RBUTTONUP, WM_CONTEXTMENU}, true, false},
                {{WM_RBUTTONUP, WM_CONTEXTMENU}, false, false},
                {{WM_CONTEXTMENU}, true, true},
                {{WM_CONTEXTMENU}, true, false, true}};
  for (const auto& click : clicks) {
    menus = 0;
    notified.clear();
    CModalWatch watch([&] {
      if (OpenMenuWindow() && click.elsewhere) SetForegroundWindow(other);
      return OpenMenuWindow() && EndMenu() && false;
    });
    for (const LPARAM event : click.events) {
      if (click.posted)
        PostMessageW(dialog.Handle(), WM_TRAYNOTIFY, 201, event);
      else
        dialog.SendMessage(WM_TRAYNOTIFY, 201, event);
    }
    while (PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE)) {
      EXPECT_NE(posted.message, WM_COMMAND);
      DispatchMessageW(&posted);
    }
    EXPECT_EQ(menus, 1) << click.events.size() << click.posted;
    EXPECT_EQ(notified, click.focusBack ? std::vector<DWORD>{NIM_SETFOCUS} : std::vector<DWORD>{});
  }
  RemoveWindowSubclass(dialog.trayIcon.commandBar.Handle(), CountMenus, 1);
  DestroyWindow(other);
}

TEST_F(Tray, MenuFollowsEveryLanguage) {
  dialog.wakeMode = WakeAllDrives;
  dialog.availableDrives = {{u'P', 1}, {u'Q', 0}};
  Choose({{u'Q', 0}});
  dialog.languageName.clear();  // so that the first choice is a change too
  const HWND combo = dialog.GetDlgItem(IDC_LANGUAGE);
  const auto languages = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
  ASSERT_GE(languages, 6);
  for (LRESULT language = 0; language < languages; ++language) {
    ::SendMessageW(combo, CB_SETCURSEL, language, 0);
    Command(IDC_LANGUAGE, CBN_SELCHANGE, combo);
    const std::string name = std::to_string(language);

    EXPECT_EQ(WindowText(dialog.GetDlgItem(IDC_HIDE)), g_langManager.GetText(211)) << name;
    ASSERT_EQ(ListLines().size(), 1u);
    EXPECT_EQ(FromWide(ListLines()[0].c_str()),
              FormatDriveDescription(volumes, g_langManager, u'Q', 0))
        << name;
    EXPECT_EQ(MenuText(Popup(), 0), kProductLine) << name;
    EXPECT_EQ(GetMenuState(Popup(), 0, MF_BYPOSITION) & (MF_DISABLED | MF_GRAYED),
              static_cast<UINT>(MF_DISABLED | MF_GRAYED))
        << name;
    EXPECT_EQ(GetMenuItemID(Popup(), 0), static_cast<UINT>(-1)) << name;
    EXPECT_EQ(MenuText(Popup(), 2), g_langManager.GetText(212)) << name;
    EXPECT_EQ(MenuText(Popup(), 3), g_langManager.GetText(213)) << name;
    EXPECT_EQ(MenuText(Popup(), 5), g_langManager.GetText(210)) << name;
    EXPECT_EQ(GetMenuDefaultItem(Popup(), FALSE, 0), ID_TRAY_SHOW) << name;

    const std::u16string p = FormatDriveDescription(volumes, g_langManager, u'P', 1);
    const std::u16string q = FormatDriveDescription(volumes, g_langManager, u'Q', 0);
    ASSERT_EQ(GetMenuItemCount(Drives()), 2);
    EXPECT_EQ(MenuText(Drives(), 0), p) << name;
    EXPECT_EQ(GetMenuItemID(Drives(), 1), TrayDriveCommand(u'Q')) << name;
    EXPECT_EQ(FromWide(Balloon().c_str()), p + u"\n" + q + u"\n") << name;
    // The pictures keep the icon's transparency at every rebuild, not only the first.
    EXPECT_EQ(ImageList_GetImageCount(dialog.trayIcon.commandBar.Images()), 2);
    EXPECT_LE(PictureDifference(dialog, u'P'), 2) << name;
  }

  // The language already selected: nothing happens, not even a rebuild.
  AddSentinel();
  ClearBalloon();
  Command(IDC_LANGUAGE, CBN_SELCHANGE, combo);
  EXPECT_TRUE(SentinelShown());
  EXPECT_EQ(Balloon(), L"");
  dialog.ShowWindow(SW_HIDE);
  dialog.SendMessage(WM_TRAYNOTIFY, 201, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
}

TEST_F(Tray, DriveEntriesOpenTheDriveAndAnEmptyMenuSaysSo) {
  dialog.wakeMode = WakeAllDrives;
  volumes.labels[u'P'] = u"R&D";  // no mnemonic in the menu, as it is in the balloon
  dialog.RebuildTrayMenu();
  EXPECT_EQ(MenuText(Drives(), 0).substr(0, 10), u"P: [R&&D] ");
  EXPECT_EQ(Balloon().substr(0, 9), L"P: [R&D] ");
  EXPECT_EQ(GetMenuItemID(Drives(), 0), 32797u);  // P
  Command(TrayDriveCommand(u'P'));
  EXPECT_EQ(opened, L"explore P:\\");

  dialog.wakeMode = WakeChosenDrives;
  ClearBalloon();
  dialog.RebuildTrayMenu();
  ASSERT_EQ(GetMenuItemCount(Drives()), 1);
  EXPECT_EQ(MenuText(Drives(), 0), g_langManager.GetText(214));
  EXPECT_EQ(GetMenuItemID(Drives(), 0), static_cast<UINT>(-1));
  EXPECT_TRUE(GetMenuState(Drives(), 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(FromWide(Balloon().c_str()), g_langManager.GetText(214));
  // A translator's '&' shows as written there too, not as an access key.
  FILE* written = _wfopen(L"P:\\ampersand.lng", L"wb");
  fputs("<utf-8 encoding>\nLangID Amp\n214 R&D: none\n", written);
  fclose(written);
  g_langManager.SetLanguageFolder(u"P:\\");
  const bool loaded = g_langManager.LoadLanguageFile(u"ampersand.lng");
  g_langManager.SetLanguageFolder(dialog.moduleDirectory + u"lang\\");
  DeleteFileW(L"P:\\ampersand.lng");
  ASSERT_TRUE(loaded);
  dialog.RebuildTrayMenu();
  EXPECT_EQ(MenuText(Drives(), 0), u"R&&D: none");
  EXPECT_EQ(Balloon(), L"R&D: none");
  g_langManager.SelectLanguage(u"English");

  dialog.showBalloons = 0;
  ClearBalloon();
  dialog.RebuildTrayMenu();
  EXPECT_EQ(Balloon(), L"");
  EXPECT_EQ(GetMenuItemCount(Drives()), 1);

  dialog.trayIcon.ShowBalloon(std::u16string(300, u'x'));
  EXPECT_EQ(Balloon(), std::wstring(255, L'x'));
  EXPECT_TRUE(dialog.trayIcon.iconData.uFlags & NIF_REALTIME);  // dropped rather than shown late
}

}  // namespace
