#include <gtest/gtest.h>

#include <string>

#include "app/main_dlg.h"
#include "framework/window.h"
#include "localisation/lang_manager.h"
#include "tests/win32/main_dlg_fixture.h"

namespace {

TEST_F(MainDialog, FindsTheFixedDrivesAtInitialisation) {
  EXPECT_EQ(dialog.availableDrives, (DriveTable{{u'P', 1}}));
  EXPECT_TRUE(dialog.driveIcons.contains(u'P'));
  EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_MODE_HOTPLUG_AND_LIST), BST_CHECKED);
  EXPECT_EQ(GetFocus(), dialog.GetDlgItem(IDC_MODE_HOTPLUG_AND_LIST));  // not on an unchecked one
  EXPECT_FALSE(dialog.moduleDirectory.empty());
  EXPECT_EQ(dialog.moduleDirectory.back(), u'\\');
}

TEST_F(MainDialog, ArrivalOfAFixedHotplugDrive) {
  dialog.chosenDrives = {{u'Q', 0}};
  volumes.hotplug[u'Q'] = 1;
  EXPECT_EQ(SendVolume(DBT_DEVICEARRIVAL, u'Q'), 1);
  EXPECT_EQ(dialog.availableDrives, (DriveTable{{u'P', 1}, {u'Q', 1}}));
  EXPECT_EQ(dialog.chosenDrives, (DriveTable{{u'Q', 1}}));
  EXPECT_TRUE(dialog.driveIcons.contains(u'Q'));
  ASSERT_EQ(ListLines().size(), 1u);
  EXPECT_EQ(ListLines()[0].substr(0, 4), L"Q: [");
}

TEST_F(MainDialog, ABroadcastOfTwoPartitionsHandlesBoth) {
  const DWORD both = (1u << (u'P' - u'A')) | (1u << (u'Q' - u'A'));
  volumes.hotplug = {{u'P', 0}, {u'Q', 1}};
  EXPECT_EQ(SendVolume(DBT_DEVICEARRIVAL, 0, both), 1);
  EXPECT_EQ(dialog.availableDrives, (DriveTable{{u'P', 0}, {u'Q', 1}}));
  EXPECT_EQ(SendVolume(DBT_DEVICEREMOVECOMPLETE, 0, both), 1);
  EXPECT_TRUE(dialog.availableDrives.empty());
}

TEST_F(MainDialog, IgnoresMediaChangesRemovableDrivesAndMalformedMessages) {
  volumes.hotplug = {{u'P', 1}, {u'Q', 1}, {u'R', 1}, {u'S', 1}};
  AddSentinel();
  EXPECT_EQ(SendVolume(DBT_DEVICEARRIVAL, u'Q', 0, DBTF_MEDIA), 1);
  EXPECT_EQ(SendVolume(DBT_DEVICEARRIVAL, u'R'), 1);  // CD-ROM
  EXPECT_EQ(SendVolume(DBT_DEVICEARRIVAL, u'S'), 1);  // floppy
  EXPECT_EQ(SendVolume(DBT_DEVICEREMOVECOMPLETE, u'P', 0, DBTF_MEDIA), 1);

  EXPECT_EQ(dialog.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0), 1);
  DEV_BROADCAST_HDR header{sizeof header, DBT_DEVTYP_VOLUME, 0};
  EXPECT_EQ(dialog.SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                               reinterpret_cast<LPARAM>(&header)),
            1);
  EXPECT_EQ(dialog.SendMessage(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0), 1);

  EXPECT_EQ(dialog.availableDrives, (DriveTable{{u'P', 1}}));
  EXPECT_TRUE(SentinelShown());
}

TEST_F(MainDialog, RemovalKeepsTheDriveChosen) {
  dialog.chosenDrives = {{u'P', 1}};
  AddSentinel();
  EXPECT_EQ(SendVolume(DBT_DEVICEREMOVECOMPLETE, u'P'), 1);
  EXPECT_TRUE(dialog.availableDrives.empty());
  EXPECT_FALSE(dialog.driveIcons.contains(u'P'));
  EXPECT_EQ(dialog.chosenDrives, (DriveTable{{u'P', 1}}));
  ASSERT_EQ(ListLines().size(), 1u);  // refreshed: the sentinel is gone, P is still listed
  EXPECT_EQ(ListLines()[0].substr(0, 4), L"P: [");

  // When it returns, it is woken again and its flag is refreshed.
  volumes.hotplug[u'P'] = 0;
  EXPECT_EQ(SendVolume(DBT_DEVICEARRIVAL, u'P'), 1);
  EXPECT_EQ(dialog.chosenDrives, (DriveTable{{u'P', 0}}));
}

TEST_F(MainDialog, RemovalOfALetterNeverAvailableDoesNotRefresh) {
  AddSentinel();
  EXPECT_EQ(SendVolume(DBT_DEVICEREMOVECOMPLETE, u'Q'), 1);
  EXPECT_TRUE(SentinelShown());
}

TEST_F(MainDialog, WakeTimerProbesTheDrivesToWake) {
  RemoveProbeFile(L'P');
  {
    CProbeWatch watch(L'P');
    dialog.SendMessage(WM_TIMER, IDT_WAKE + 1);
    EXPECT_EQ(watch.Content(), "");
    dialog.SendMessage(WM_TIMER, IDT_WAKE);
    EXPECT_EQ(watch.Content(), "Quorvalestrane");
    EXPECT_FALSE(watch.ExistsAfterClose());
  }
  // Mode 3 with no chosen drive wakes nothing.
  dialog.wakeMode = WakeChosenDrives;
  CProbeWatch watch(L'P');
  dialog.SendMessage(WM_TIMER, IDT_WAKE);
  EXPECT_EQ(watch.Content(), "");
}

TEST_F(MainDialog, AFailedProbeDoesNotStopTheNextDrive) {
  dialog.wakeMode = WakeAllDrives;
  dialog.availableDrives = {{u'K', 0}, {u'O', 0}, {u'P', 1}};  // K: does not exist, O: read-only
  RemoveProbeFile(L'P');
  CProbeWatch watch(L'P');
  dialog.SendMessage(WM_TIMER, IDT_WAKE);
  EXPECT_EQ(watch.Content(), "Quorvalestrane");
  EXPECT_EQ(GetFileAttributesW(L"O:\\qv_probe.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainDialog, IdleEnablesTheListControlsByMode) {
  const auto enabled = [&](int id) { return IsWindowEnabled(dialog.GetDlgItem(id)) != FALSE; };
  dialog.wakeMode = WakeHotplugDrives;
  dialog.OnIdle();
  for (int id : {IDC_DRIVE_LIST, IDC_ADD, IDC_REMOVE, IDC_CLEAR}) EXPECT_FALSE(enabled(id)) << id;

  dialog.wakeMode = WakeChosenDrives;
  dialog.OnIdle();
  EXPECT_TRUE(enabled(IDC_DRIVE_LIST));
  EXPECT_TRUE(enabled(IDC_ADD));
  EXPECT_FALSE(enabled(IDC_REMOVE));  // nothing selected
  EXPECT_FALSE(enabled(IDC_CLEAR));   // empty list

  dialog.chosenDrives = {{u'P', 1}};
  dialog.FillChosenList();
  dialog.OnIdle();
  EXPECT_FALSE(enabled(IDC_REMOVE));
  EXPECT_TRUE(enabled(IDC_CLEAR));
  ::SendMessageW(list, LB_SETCURSEL, 0, 0);
  dialog.OnIdle();
  EXPECT_TRUE(enabled(IDC_REMOVE));
}

TEST_F(MainDialog, CloseCommandIsGreyed) {
  const UINT state = GetMenuState(GetSystemMenu(dialog.Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND);
  EXPECT_TRUE(state & MF_GRAYED);
}

}  // namespace

namespace {

TEST_F(MainDialog, KeyboardNavigationRunsBeforeDispatch) {
  dialog.ShowWindow(SW_SHOW);
  SetForegroundWindow(dialog.Handle());
  SetFocus(dialog.GetDlgItem(IDC_ADD));
  ASSERT_EQ(GetFocus(), dialog.GetDlgItem(IDC_ADD));

  MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(dialog.PreTranslateMessage(&tab));
  EXPECT_EQ(GetFocus(), dialog.GetDlgItem(IDC_REMOVE));

  // Messages of other windows are left to the loop.
  MSG other{nullptr, WM_APP, 0, 0, 0, {}};
  EXPECT_FALSE(dialog.PreTranslateMessage(&other));
}

}  // namespace

namespace {

std::vector<unsigned char> ReadAll(const std::wstring& path) {
  std::vector<unsigned char> bytes(4096);
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD read = 0;
  if (file != INVALID_HANDLE_VALUE) {
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
  }
  bytes.resize(read);
  return bytes;
}

void WriteSettings(const std::vector<unsigned char>& stored) {
  const HANDLE file =
      CreateFileW(SettingsPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, stored.data(), static_cast<DWORD>(stored.size()), &written, nullptr);
  CloseHandle(file);
}

TEST(MainDialogSettings, AModeOutsideTheFourChecksNoButton) {
  const std::vector<unsigned char> stored = {0xFF, 0xFF, 0xFF, 0x7F};  // INT32_MAX, nothing more
  WriteSettings(stored);
  CTestVolumes volumes;
  CMainDlg dialog{volumes};
  ASSERT_NE(dialog.Create(nullptr), nullptr);
  EXPECT_EQ(dialog.wakeMode, 0x7FFFFFFF);
  for (int id = IDC_MODE_ALL; id <= IDC_MODE_LIST; ++id)
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), id), BST_UNCHECKED) << id;
  dialog.DestroyWindow();
  DeleteFileW(SettingsPath().c_str());
}

TEST(MainDialogSettings, LoadedAtInitialisationAndSavedWhenDestroyed) {
  // Mode 3, drive C (flag 0), interval 40, no language name, balloons off.
  const std::vector<unsigned char> stored = {3, 0,  0, 0, 1, 0, 0, 0, 'C', 0, 0, 0, 0,
                                             0, 40, 0, 0, 0, 0, 0, 0, 0,   0, 0, 0, 0};
  WriteSettings(stored);

  CTestVolumes volumes;
  CMainDlg dialog{volumes};
  ASSERT_NE(dialog.Create(nullptr), nullptr);
  EXPECT_EQ(dialog.wakeMode, WakeChosenDrives);
  EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_MODE_LIST), BST_CHECKED);
  EXPECT_EQ(dialog.chosenDrives, (DriveTable{{u'C', 0}}));
  EXPECT_EQ(::SendMessageW(dialog.GetDlgItem(IDC_DRIVE_LIST), LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(WindowText(dialog.GetDlgItem(IDC_INTERVAL)), u"15");  // clamped by the edit
  EXPECT_EQ(dialog.languageName, u"English");
  EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_BALLOONS), BST_UNCHECKED);

  SetWindowTextW(dialog.GetDlgItem(IDC_INTERVAL), L"5");
  dialog.DestroyWindow();
  const std::vector<unsigned char> saved = {3,   0, 0,   0, 1,   0, 0,   0, 'C', 0, 0,   0, 0,   0,
                                            5,   0, 0,   0, 7,   0, 0,   0, 'E', 0, 'n', 0, 'g', 0,
                                            'l', 0, 'i', 0, 's', 0, 'h', 0, 0,   0, 0,   0};
  EXPECT_EQ(ReadAll(SettingsPath()), saved);
  DeleteFileW(SettingsPath().c_str());
}

}  // namespace
