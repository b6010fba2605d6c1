// The main dialog's part in drive discovery and the wake-up engine.
#include "app/main_dlg.h"
#include "drives/drive_discovery.h"
#include "drives/probe.h"
#include "drives/system_volumes.h"
#include "drives/volume_broadcast.h"
#include "framework/wide.h"
#include "localisation/lang_manager.h"

void CMainDlg::FillChosenList() {
  ::SendMessageW(chosenList, LB_RESETCONTENT, 0, 0);
  for (const auto& [letter, flag] : chosenDrives) {
    const std::u16string line = FormatDriveDescription(volumes, g_langManager, letter, flag);
    ::SendMessageW(chosenList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(line)));
  }
}

void CMainDlg::OnWakeTimer(UINT_PTR timerId) {
  if (timerId != IDT_WAKE) return;
  // Into a kept list: a tick allocates nothing.
  DrivesToWake(wakeMode, availableDrives, chosenDrives, wakeList);
  for (const DriveEntry& drive : wakeList) ProbeDrive(static_cast<wchar_t>(drive.letter));
}

LRESULT CMainDlg::OnDeviceChange(WPARAM event, LPARAM data) {
  const auto change = ReadVolumeBroadcast(event, data);
  if (!change) return TRUE;
  // A disk with several partitions names all of them in one broadcast.
  bool refresh = false;
  for (const char16_t letter : change->letters) {
    if (change->arrival) {
      refresh |= ApplyVolumeArrival(volumes, letter, availableDrives, chosenDrives, driveIcons,
                                    SmallIconIndex);
    } else {
      refresh |= ApplyVolumeRemoval(letter, availableDrives, driveIcons);
      menuBitmaps.erase(letter);  // a drive that comes back is drawn anew
    }
  }
  if (refresh) RefreshDrives();
  // TRUE also grants every removal query.
  return TRUE;
}

void CMainDlg::RefreshDrives() {
  FillChosenList();
  RebuildTrayMenu();
}
