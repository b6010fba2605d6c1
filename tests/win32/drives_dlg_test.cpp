// The drive picker opened by the main dialog's Add button: what it offers, what it returns, and
// how it follows drives while it is open.
#include <gtest/gtest.h>

#include "drives/drive_discovery.h"
#include "drives/drives_dlg.h"
#include "framework/window.h"
#include "tests/win32/main_dlg_fixture.h"

namespace {

constexpr DWORD Bit(char16_t letter) {
  return 1u << (letter - u'A');
}

class DrivePicker : public MainDialog {
 protected:
  // O: and P: internal, Q: hot-plug; P: is chosen with a flag that is no longer true.
  void SetUp() override {
    MainDialog::SetUp();
    volumes.hotplug = {{u'O', 0}, {u'P', 0}, {u'Q', 1}};
    Choose({{u'P', 1}});
  }
  // The first letter of each line.
  static std::wstring Letters(HWND picker) {
    std::wstring letters;
    const HWND drives = GetDlgItem(picker, CDrivesDlg::IDC_DRIVES);
    for (LRESULT i = 0; i < ::SendMessageW(drives, LB_GETCOUNT, 0, 0); ++i)
      letters += AsWide(ItemText(drives, LB_GETTEXTLEN, LB_GETTEXT, i).substr(0, 1));
    return letters;
  }
  static void Select(HWND picker, const wchar_t* line) {
    const HWND drives = GetDlgItem(picker, CDrivesDlg::IDC_DRIVES);
    const LRESULT index = ::SendMessageW(drives, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(line));
    ::SendMessageW(drives, LB_SETSEL, TRUE, index);
  }
  // Opens the picker with Add and runs `use` on it once; `use` ends it.
  void Add(const std::function<void(HWND)>& use) {
    AddSentinel();
    ClearBalloon();
    CModalWatch watch([&] {
      const HWND picker = ActiveBox(dialog.Handle());
      if (picker) use(picker);
      return picker != nullptr;
    });
    Command(IDC_ADD);
  }
};

TEST_F(DrivePicker, OffersFixedDrivesAndMergesTheSelection) {
  struct Case {
    const char* name;
    int mode;
    const wchar_t* offered;
    const wchar_t* select;  // line prefix, or null
    UINT end;               // the command, message or key that ends it
    DriveTable chosenAfter;
  };
  const DriveTable unchanged = {{u'P', 1}};
  const Case cases[] = {
      {"mode 2 hides hot-plug drives; OK with nothing", 2, L"OP", nullptr, IDOK, unchanged},
      {"a chosen drive takes its flag anew", 3, L"OPQ", L"P:", IDOK, {{u'P', 0}}},
      {"several drives", 0, L"OPQ", L"O:", IDOK, {{u'O', 0}, {u'P', 1}}},
      {"cancel", 1, L"OPQ", L"O:", IDCANCEL, unchanged},
      {"escape", 3, L"OPQ", L"O:", WM_KEYDOWN, unchanged},
      {"close box", 3, L"OPQ", L"O:", WM_SYSCOMMAND, unchanged},
  };
  for (const Case& c : cases) {
    dialog.wakeMode = c.mode;
    Choose(unchanged);
    HWND owner = nullptr;
    std::wstring offered;
    Add([&](HWND picker) {
      owner = GetWindow(picker, GW_OWNER);
      offered = Letters(picker);
      if (c.select) Select(picker, c.select);
      if (c.end == WM_KEYDOWN)
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
      else if (c.end == WM_SYSCOMMAND)
        PostMessageW(picker, WM_SYSCOMMAND, SC_CLOSE, 0);
      else
        PostMessageW(picker, WM_COMMAND, c.end, 0);
    });
    EXPECT_EQ(owner, dialog.Handle()) << c.name;
    EXPECT_EQ(offered, c.offered) << c.name;
    EXPECT_EQ(dialog.chosenDrives, c.chosenAfter) << c.name;
    // OK rebuilds the list and the tray menu, even with nothing selected; the rest changes nothing.
    EXPECT_EQ(SentinelShown(), c.end != IDOK) << c.name;
    EXPECT_EQ(Balloon().empty(), c.end != IDOK) << c.name;
  }
}

TEST_F(DrivePicker, FollowsDrivesWhileOpen) {
  for (const int mode : {WakeChosenDrives, WakeHotplugAndChosen}) {
    dialog.wakeMode = mode;
    Choose({{u'P', 1}});
    dialog.availableDrives.erase(u'O');
    RemoveProbeFile(L'P');
    CProbeWatch probe(L'P');
    SetTimer(dialog.Handle(), IDT_WAKE, 1, nullptr);
    std::wstring afterRemoval, afterArrival, lineOfO, lineOfQ;
    Add([&](HWND picker) {
      const HWND drives = GetDlgItem(picker, CDrivesDlg::IDC_DRIVES);
      ::SendMessageW(drives, LB_SETSEL, TRUE, -1);
      Broadcast(picker, DBT_DEVICEREMOVECOMPLETE, Bit(u'O') | Bit(u'Q'));  // selected, yet gone
      afterRemoval = Letters(picker);
      // P: is listed already; O: and Q: come back unselected.
      Broadcast(picker, DBT_DEVICEARRIVAL, Bit(u'O') | Bit(u'P') | Bit(u'Q'));
      afterArrival = Letters(picker);
      lineOfO = AsWide(ItemText(drives, LB_GETTEXTLEN, LB_GETTEXT, 0));
      lineOfQ = AsWide(ItemText(drives, LB_GETTEXTLEN, LB_GETTEXT, 2));
      // Meanwhile the main dialog, disabled, follows the broadcasts that the system sends to every
      // window, and its timer ticks come through the picker's loop.
      Broadcast(dialog.Handle(), DBT_DEVICEARRIVAL, Bit(u'O'));
      PostMessageW(picker, WM_COMMAND, IDOK, 0);
    });
    KillTimer(dialog.Handle(), IDT_WAKE);
    EXPECT_EQ(afterRemoval, L"P") << mode;
    EXPECT_EQ(afterArrival, mode == WakeChosenDrives ? L"OPQ" : L"OP") << mode;
    EXPECT_EQ(FromWide(lineOfO.c_str()), FormatDriveDescription(volumes, g_langManager, u'O', 0));
    if (mode == WakeChosenDrives) {
      EXPECT_EQ(FromWide(lineOfQ.c_str()), FormatDriveDescription(volumes, g_langManager, u'Q', 1));
    }
    EXPECT_EQ(dialog.chosenDrives, (DriveTable{{u'P', 0}})) << mode;  // P: still selected
    EXPECT_TRUE(dialog.availableDrives.contains(u'O')) << mode;
    EXPECT_EQ(probe.Content(), "Quorvalestrane") << mode;
  }
}

}  // namespace
