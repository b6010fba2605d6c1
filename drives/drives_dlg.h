// The modal drive picker: the fixed drives present now, following arrivals and removals while it
// is open. Its result is the drives selected when the user pressed OK.
#pragma once

#include <windows.h>

#include <cstdint>

#include "drives/drive_table.h"
#include "drives/volumes.h"
#include "framework/dialog_impl.h"
#include "framework/handle.h"

// The first line of a list of drive descriptions that begins with the letter and a colon, or a
// negative index.
LRESULT FindDriveLine(HWND list, char16_t letter);

class CDrivesDlg : public CDialogImpl<CDrivesDlg> {
 public:
  static constexpr UINT IDD = 202;
  static constexpr int IDC_DRIVES = 1004;

  // With `hideHotplug`, hot-plug drives are not offered. `volumes` must outlive the dialog.
  CDrivesDlg(const IVolumes& volumes, bool hideHotplug);

  BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            DWORD mapId = 0) override;

  DriveTable availableDrives;  // the drives listed, each with its hot-plug flag
  UniqueDeviceNotify deviceNotify;
  HWND driveList = nullptr;
  std::int32_t hideHotplug;
  DriveTable selectedDrives;  // empty until OK

 private:
  BOOL OnInitDialog();
  LRESULT OnDeviceChange(WPARAM event, LPARAM data);
  void OnOK();
  void OnDestroy();
  // Lists a drive on one line, replacing the line it may have already.
  void ListDrive(char16_t letter, std::int32_t flag);
  // Whether the line removed was selected.
  bool RemoveLine(char16_t letter);

  const IVolumes& volumes;
};
