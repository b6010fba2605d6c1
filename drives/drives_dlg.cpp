#include "drives/drives_dlg.h"

#include <vector>

#include "drives/drive_discovery.h"
#include "drives/volume_broadcast.h"
#include "framework/wide.h"
#include "framework/window.h"
#include "localisation/lang_manager.h"

CDrivesDlg::CDrivesDlg(const IVolumes& volumes, bool hideHotplug)
    : hideHotplug(hideHotplug ? 1 : 0), volumes(volumes) {}

BOOL CDrivesDlg::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result, DWORD mapId) {
  if (mapId != 0) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return TRUE;
    case WM_DEVICECHANGE:
      result = OnDeviceChange(wParam, lParam);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        OnOK();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {  // also Escape and the close box
        EndDialog(IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

BOOL CDrivesDlg::OnInitDialog() {
  CenterWindow();
  g_langManager.TranslateWindow(hwnd);
  deviceNotify.reset(RegisterVolumeNotifications(hwnd));
  driveList = GetDlgItem(IDC_DRIVES);
  FindFixedDrives(volumes, availableDrives);
  for (const auto& [letter, flag] : availableDrives) {
    if (!(hideHotplug && flag)) ListDrive(letter, flag);
  }
  return TRUE;  // nothing preselected; the system sets the focus
}

void CDrivesDlg::OnDestroy() {
  deviceNotify.reset();  // with the window, not only with the object
}

LRESULT CDrivesDlg::OnDeviceChange(WPARAM event, LPARAM data) {
  const auto change = ReadVolumeBroadcast(event, data);
  if (!change) return TRUE;
  for (const char16_t letter : change->letters) {
    if (change->arrival) {
      const auto flag = ArrivingDriveFlag(volumes, letter);
      if (!flag || (hideHotplug && *flag)) continue;
      availableDrives[letter] = *flag;
      ListDrive(letter, *flag);
    } else {
      RemoveLine(letter);
      availableDrives.erase(letter);
    }
  }
  return TRUE;
}

void CDrivesDlg::ListDrive(char16_t letter, std::int32_t flag) {
  // A drive plugged in just before the dialog opened is listed already when its broadcast comes:
  // its new line keeps the old one's selection.
  const bool selected = RemoveLine(letter);
  const std::u16string line = FormatDriveDescription(volumes, g_langManager, letter, flag);
  const LRESULT added =
      ::SendMessageW(driveList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(line)));
  if (selected && added >= 0) ::SendMessageW(driveList, LB_SETSEL, TRUE, added);
}

LRESULT FindDriveLine(HWND list, char16_t letter) {
  const wchar_t prefix[] = {static_cast<wchar_t>(letter), L':', L'\0'};
  return ::SendMessageW(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(prefix));
}

bool CDrivesDlg::RemoveLine(char16_t letter) {
  const LRESULT line = FindDriveLine(driveList, letter);
  if (line < 0) return false;
  const bool selected = ::SendMessageW(driveList, LB_GETSEL, line, 0) > 0;
  ::SendMessageW(driveList, LB_DELETESTRING, line, 0);
  return selected;
}

void CDrivesDlg::OnOK() {
  const LRESULT count = ::SendMessageW(driveList, LB_GETSELCOUNT, 0, 0);
  std::vector<int> selected(count > 0 ? static_cast<std::size_t>(count) : 0);
  const LRESULT got = ::SendMessageW(driveList, LB_GETSELITEMS, selected.size(),
                                     reinterpret_cast<LPARAM>(selected.data()));
  selected.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  for (const int index : selected) {
    const std::u16string text = ItemText(driveList, LB_GETTEXTLEN, LB_GETTEXT, index);
    if (text.empty()) continue;
    const auto drive = availableDrives.find(text[0]);
    if (drive != availableDrives.end()) selectedDrives[drive->first] = drive->second;
  }
  EndDialog(IDOK);
}
