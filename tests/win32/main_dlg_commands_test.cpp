// Hiding and showing, the wake modes, the drive list's commands, reflection, and Exit while a
// box is open.
#include <gtest/gtest.h>

#include "framework/window.h"
#include "tests/win32/main_dlg_fixture.h"

namespace {

TEST_F(MainDialog, HidingSavesUnlessMinimised) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    bool saved, hidden;
  };
  const Case cases[] = {
      {"Esc", WM_KEYDOWN, VK_ESCAPE, true, true},
      {"Enter", WM_KEYDOWN, VK_RETURN, true, true},
      {"Hide button", WM_COMMAND, IDC_HIDE, true, true},
      {"minimised", WM_SIZE, SIZE_MINIMIZED, false, true},
      {"resized", WM_SIZE, SIZE_RESTORED, false, false},
      {"session ends", WM_ENDSESSION, TRUE, true, false},
      {"session goes on", WM_ENDSESSION, FALSE, false, false},
  };
  for (const Case& c : cases) {
    dialog.ShowWindow(SW_SHOW);
    SetForegroundWindow(dialog.Handle());
    SetFocus(dialog.GetDlgItem(IDC_INTERVAL));
    DeleteFileW(SettingsPath().c_str());
    if (c.message == WM_KEYDOWN) {
      MSG key{GetFocus(), WM_KEYDOWN, c.wParam, 0, 0, {}};
      EXPECT_TRUE(dialog.PreTranslateMessage(&key)) << c.name;
    } else {
      dialog.SendMessage(c.message, c.wParam, 0);
    }
    EXPECT_EQ(SettingsSaved(), c.saved) << c.name;
    EXPECT_EQ(!IsWindowVisible(dialog.Handle()), c.hidden) << c.name;
  }
}

TEST_F(MainDialog, AChangedIntervalReachesTheTimerWhenHidden) {
  const HWND edit = dialog.GetDlgItem(IDC_INTERVAL);
  Command(ID_TRAY_SHOW);
  EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
  SetWindowTextW(edit, L"5");
  Command(IDC_HIDE);
  EXPECT_EQ(dialog.wakePeriod, 300000u);
  EXPECT_EQ(SavedSettings().interval, 5);

  // Unchanged: the running countdown is left alone.
  Command(ID_TRAY_SHOW);
  dialog.wakePeriod = 0;
  Command(IDC_HIDE);
  EXPECT_EQ(dialog.wakePeriod, 0u);

  // Minimising re-arms too; the balloon box is read when clicked and saved at the next hide.
  Command(ID_TRAY_SHOW);
  SetWindowTextW(edit, L"7");
  ::SendMessageW(dialog.GetDlgItem(IDC_BALLOONS), BM_CLICK, 0, 0);
  dialog.SendMessage(WM_SIZE, SIZE_MINIMIZED);
  EXPECT_EQ(dialog.wakePeriod, 420000u);
  Command(ID_TRAY_SHOW);
  EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
  EXPECT_FALSE(IsIconic(dialog.Handle()));
  Command(IDCANCEL);
  EXPECT_EQ(SavedSettings().showBalloons, 0);
}

TEST_F(MainDialog, ModeChangesAskBeforeDroppingHotplugDrives) {
  struct Case {
    const char* name;
    DriveTable chosen;
    int from, clicked;
    int answer;  // 0: no question expected
    DriveTable after;
    int modeAfter;
    bool checked = true;  // the clicked button is checked when its notification arrives
    bool byKey = false;   // chosen with Alt and its access key instead
  };
  const DriveTable mixed = {{u'P', 1}, {u'Q', 0}};
  const Case cases[] = {
      {"cancel", mixed, 3, IDC_MODE_HOTPLUG_AND_LIST, IDCANCEL, mixed, 3},
      {"ok", mixed, 3, IDC_MODE_HOTPLUG_AND_LIST, IDOK, {{u'Q', 0}}, 2},
      {"internal only", {{u'Q', 0}}, 0, IDC_MODE_HOTPLUG_AND_LIST, 0, {{u'Q', 0}}, 2},
      {"other mode", mixed, 2, IDC_MODE_LIST, 0, mixed, 3},
      {"same mode again", mixed, 3, IDC_MODE_LIST, 0, mixed, 3},
      // An unchecked button that gets the focus reports a click: not a change of mode.
      {"focus on an unchecked button", mixed, 3, IDC_MODE_HOTPLUG_AND_LIST, 0, mixed, 3, false},
      {"access key, ok", mixed, 3, IDC_MODE_HOTPLUG_AND_LIST, IDOK, {{u'Q', 0}}, 2, true, true},
  };
  dialog.ShowWindow(SW_SHOW);
  SetForegroundWindow(dialog.Handle());
  for (const Case& c : cases) {
    dialog.wakeMode = c.from;
    CheckRadioButton(dialog.Handle(), IDC_MODE_ALL, IDC_MODE_LIST, IDC_MODE_ALL + c.from);
    Choose(c.chosen);
    ClearBalloon();
    std::u16string caption;
    bool text = false;
    {
      CModalWatch watch([&] {
        const HWND box = ActiveBox(dialog.Handle());
        if (!box) return false;
        caption = WindowText(box);
        text = FindWindowExW(box, nullptr, L"Static", AsWide(g_langManager.GetText(305)));
        PostMessageW(box, WM_COMMAND, c.answer ? c.answer : IDCANCEL, 0);
        return true;
      });
      if (c.byKey) {
        // Alt and the letter after the '&', as the message loop hands them to the dialog.
        const std::u16string text = WindowText(dialog.GetDlgItem(c.clicked));
        MSG key{GetFocus(), WM_SYSCHAR, text.at(text.find(u'&') + 1), 1 << 29, 0, {}};
        dialog.PreTranslateMessage(&key);
      } else {
        if (c.checked) {
          CheckRadioButton(dialog.Handle(), IDC_MODE_ALL, IDC_MODE_LIST, c.clicked);
          SetFocus(dialog.GetDlgItem(c.clicked));
        }
        Command(c.clicked);
      }
    }
    EXPECT_EQ(caption, c.answer ? g_langManager.GetText(304) : u"") << c.name;
    EXPECT_EQ(text, c.answer != 0) << c.name;
    EXPECT_EQ(dialog.chosenDrives, c.after) << c.name;
    EXPECT_EQ(ListLines().size(), c.after.size()) << c.name;
    EXPECT_EQ(dialog.wakeMode, c.modeAfter) << c.name;
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_MODE_ALL + c.modeAfter), BST_CHECKED)
        << c.name;
    // Every change, and a click on the current mode, rebuilds the menu and shows the balloon.
    EXPECT_EQ(Balloon().empty(), c.answer == IDCANCEL || !c.checked) << c.name;
    // After Cancel too the focus is on the checked button, so that activating the dialog again
    // does not ask again.
    if (c.checked) {
      EXPECT_EQ(GetFocus(), dialog.GetDlgItem(IDC_MODE_ALL + c.modeAfter)) << c.name;
    }
  }
}

TEST_F(MainDialog, RemoveAndClearKeepTheFocusOnAnEnabledControl) {
  struct Case {
    const char* name;
    DriveTable chosen;
    int selection, command;
    DriveTable after;
    int focus = 0;  // where a button that disabled itself leaves the focus
  };
  const Case cases[] = {
      {"remove the selected line",
       {{u'P', 1}, {u'Q', 0}},
       0,
       IDC_REMOVE,
       {{u'Q', 0}},
       IDC_DRIVE_LIST},
      {"remove the last line", {{u'Q', 0}}, 0, IDC_REMOVE, {}, IDC_DRIVE_LIST},
      {"remove without a selection",
       {{u'P', 1}, {u'Q', 0}},
       -1,
       IDC_REMOVE,
       {{u'P', 1}, {u'Q', 0}}},
      {"clear", {{u'P', 1}, {u'Q', 0}}, -1, IDC_CLEAR, {}, IDC_DRIVE_LIST},
      {"clear an empty list", {}, -1, IDC_CLEAR, {}},
  };
  dialog.wakeMode = WakeChosenDrives;
  for (const Case& c : cases) {
    dialog.ShowWindow(SW_SHOW);
    SetForegroundWindow(dialog.Handle());
    Choose(c.chosen);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(c.selection), 0);
    dialog.OnIdle();
    // As a click does: the button takes the focus and becomes the default button.
    dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dialog.GetDlgItem(c.command)), TRUE);
    ClearBalloon();
    Command(c.command);
    dialog.OnIdle();
    EXPECT_EQ(dialog.chosenDrives, c.after) << c.name;
    EXPECT_EQ(ListLines().size(), c.after.size()) << c.name;
    EXPECT_EQ(Balloon().empty(), c.after == c.chosen) << c.name;  // rebuilt after a change only
    EXPECT_TRUE(GetFocus() && IsWindowEnabled(GetFocus())) << c.name;
    EXPECT_EQ(IsWindowEnabled(dialog.GetDlgItem(IDC_CLEAR)) != FALSE, !c.after.empty()) << c.name;
    if (c.focus) {
      EXPECT_EQ(GetFocus(), dialog.GetDlgItem(c.focus)) << c.name;
    }
    // Enter then hides and saves; it never presses the other button.
    MSG enter{GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    dialog.PreTranslateMessage(&enter);
    EXPECT_EQ(dialog.chosenDrives, c.after) << c.name;
    EXPECT_FALSE(IsWindowVisible(dialog.Handle())) << c.name;
  }
}

LRESULT CALLBACK RecordReflected(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR seen) {
  if (message >= 0x2000) *reinterpret_cast<UINT*>(seen) = message;
  return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(MainDialog, NotificationsGoBackToTheControlThatSentThem) {
  UINT seen = 0;
  SetWindowSubclass(list, RecordReflected, 1, reinterpret_cast<DWORD_PTR>(&seen));
  NMHDR header{list, IDC_DRIVE_LIST, 0};
  DRAWITEMSTRUCT draw{};
  draw.hwndItem = list;
  const struct {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool reflected;
  } cases[] = {
      {WM_COMMAND, MAKEWPARAM(IDC_DRIVE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list), true},
      {WM_NOTIFY, IDC_DRIVE_LIST, reinterpret_cast<LPARAM>(&header), true},
      {WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), false},  // a menu's item
      {WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, IDC_DRIVE_LIST), 0, true},
  };
  for (const auto& c : cases) {
    seen = 0;
    dialog.SendMessage(c.message, c.wParam, c.lParam);
    EXPECT_EQ(seen, c.reflected ? c.message + 0x2000 : 0u) << std::hex << c.message;
  }
  RemoveWindowSubclass(list, RecordReflected, 1);
}

// Exit from the tray while a box runs its modal loop ends the program cleanly: nothing the user
// did not confirm changes, the settings are saved, no balloon follows.
TEST(MainDialogExit, WhileABoxIsOpen) {
  for (const UINT opener : {static_cast<UINT>(IDC_MODE_HOTPLUG_AND_LIST),
                            static_cast<UINT>(IDC_ABOUT), static_cast<UINT>(IDC_ADD)}) {
    DeleteFileW(SettingsPath().c_str());
    CTestVolumes volumes;
    volumes.hotplug = {{u'P', 1}};
    CMainDlg second{volumes};
    ASSERT_NE(second.Create(nullptr), nullptr);
    // Shown and active, as when the user clicks: the box is then owned by the dialog.
    second.ShowWindow(SW_SHOW);
    SetForegroundWindow(second.Handle());
    const std::size_t registered = g_langManager.RegisteredWindowCount();
    second.wakeMode = WakeChosenDrives;
    second.chosenDrives = {{u'P', 1}};
    {
      CModalWatch watch([&] {
        if (!ActiveBox(second.Handle())) return false;
        second.trayIcon.iconData.szInfo[0] = L'\0';
        PostMessageW(second.Handle(), WM_COMMAND, ID_TRAY_EXIT, 0);
        return true;
      });
      second.SendMessage(WM_COMMAND, MAKEWPARAM(opener, BN_CLICKED), 0);
    }
    EXPECT_FALSE(second.IsWindow()) << opener;
    EXPECT_EQ(second.chosenDrives, (DriveTable{{u'P', 1}})) << opener;
    EXPECT_EQ(second.wakeMode, WakeChosenDrives) << opener;
    EXPECT_EQ(SavedSettings().chosenDrives, (DriveTable{{u'P', 1}})) << opener;
    EXPECT_EQ(std::wstring(second.trayIcon.iconData.szInfo), L"") << opener;
    // The box and the dialog left the translation registry as they closed.
    EXPECT_LT(g_langManager.RegisteredWindowCount(), registered) << opener;
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << opener;
  }
  DeleteFileW(SettingsPath().c_str());
}

}  // namespace
