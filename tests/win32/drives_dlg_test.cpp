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
  dialog.wakeMode = WakeChosenDrives;
  std::wstring afterRemoval, afterArrivals, lineOfP;
  Add([&](HWND picker) {
    Select(picker, L"Q:");
    EXPECT_EQ(Broadcast(picker, DBT_DEVICEREMOVECOMPLETE, Bit(u'Q')), 1);  // selected, yet gone
    afterRemoval = Letters(picker);
    Broadcast(picker, DBT_DEVICEREMOVECOMPLETE, Bit(u'O'));
    volumes.hotplug[u'P'] = 1;
    // P: is listed already and arrives again together with O:.
    Broadcast(picker, DBT_DEVICEARRIVAL, Bit(u'O') | Bit(u'P'));
    afterArrivals = Letters(picker);
    lineOfP =
        AsWide(ItemText(GetDlgItem(picker, CDrivesDlg::IDC_DRIVES), LB_GETTEXTLEN, LB_GETTEXT, 1));
    // The main dialog goes on handling broadcasts and ticks meanwhile.
    Broadcast(dialog.Handle(), DBT_DEVICEREMOVECOMPLETE, Bit(u'Q'));
    PostMessageW(picker, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(afterRemoval, L"OP");
  EXPECT_EQ(afterArrivals, L"OP");
  EXPECT_EQ(FromWide(lineOfP.c_str()), FormatDriveDescription(volumes, g_langManager, u'P', 1));
  EXPECT_EQ(dialog.chosenDrives, (DriveTable{{u'P', 1}}));  // Q: was not added
  EXPECT_FALSE(dialog.availableDrives.contains(u'Q'));
}

}  // namespace
