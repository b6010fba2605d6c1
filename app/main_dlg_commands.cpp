// The main dialog's commands: the drive list, the wake mode, balloons, language, About and the
// tray's drive entries.
#include "app/main_dlg.h"
#include "controls/about_dlg.h"
#include "drives/drives_dlg.h"
#include "framework/window.h"
#include "framework/wide.h"
#include "localisation/lang_manager.h"
#include "tray/tray_rules.h"

namespace {

bool HasHotplug(const DriveTable& drives) {
  for (const auto& [letter, flag] : drives) {
    if (flag != 0) return true;
  }
  return false;
}

}  // namespace

void CMainDlg::OnAbout() {
  CAboutDlg about;
  about.DoModal(GetActiveWindow());
}

void CMainDlg::OnAddDrives() {
  // Modal to the main dialog in any case, also when none of the program's windows is active.
  HWND owner = GetActiveWindow();
  if (!owner) owner = hwnd;
  // Mode 2 wakes every hot-plug drive anyway.
  CDrivesDlg picker(volumes, wakeMode == WakeHotplugAndChosen);
  const INT_PTR result = picker.DoModal(owner);
  // Exit from the tray may have destroyed the dialog while the picker was open.
  if (result != IDOK || !IsWindow()) return;
  for (const auto& [letter, flag] : picker.selectedDrives) chosenDrives[letter] = flag;
  FillChosenList();
  RebuildTrayMenu();
}

void CMainDlg::OnRemoveDrive() {
  const LRESULT selection = ::SendMessageW(chosenList, LB_GETCURSEL, 0, 0);
  if (selection < 0) return;
  const std::u16string line = ItemText(chosenList, LB_GETTEXTLEN, LB_GETTEXT, selection);
  if (!line.empty()) chosenDrives.erase(line[0]);
  ::SendMessageW(chosenList, LB_DELETESTRING, selection, 0);
  RebuildTrayMenu();
}

void CMainDlg::OnClearDrives() {
  if (::SendMessageW(chosenList, LB_GETCOUNT, 0, 0) <= 0) return;
  ::SendMessageW(chosenList, LB_RESETCONTENT, 0, 0);
  chosenDrives.clear();
  RebuildTrayMenu();
}

void CMainDlg::OnShowBalloons(UINT code, HWND checkBox) {
  if (code != BN_CLICKED) return;
  if (!checkBox) checkBox = GetDlgItem(IDC_BALLOONS);
  showBalloons = ::SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CMainDlg::OnLanguageChange() {
  const LRESULT selection = ::SendMessageW(languageCombo, CB_GETCURSEL, 0, 0);
  if (selection < 0) return;
  const std::u16string name = ItemText(languageCombo, CB_GETLBTEXTLEN, CB_GETLBTEXT, selection);
  if (name == languageName) return;
  languageName = name;
  g_langManager.SelectLanguage(languageName);
  g_langManager.TranslateWindow(hwnd);
  // The drive descriptions carry translated texts.
  FillChosenList();
  RebuildTrayMenu();
  g_langManager.TranslateMenu(TrayPopup());
}

void CMainDlg::OnModeChange(UINT code, int id) {
  // An auto radio button that gets the focus while unchecked reports a click too (the dialog
  // manager gives it back the focus when the dialog is activated): only a checked one counts.
  if (code != BN_CLICKED || IsDlgButtonChecked(hwnd, id) != BST_CHECKED) return;
  // Mode 2 wakes every hot-plug drive anyway: the chosen ones it covers leave the list, but only
  // when the user agrees.
  if (id == IDC_MODE_HOTPLUG_AND_LIST && HasHotplug(chosenDrives)) {
    const int answer =
        MessageBoxW(hwnd, AsWide(g_langManager.GetText(305)), AsWide(g_langManager.GetText(304)),
                    MB_OKCANCEL | MB_ICONINFORMATION);
    // Exit from the tray may have destroyed the dialog while the box was open.
    if (!IsWindow()) return;
    // A box that could not be shown answers 0, which is no consent either.
    if (answer != IDOK) {
      CheckRadioButton(hwnd, IDC_MODE_ALL, IDC_MODE_LIST, ModeButton(wakeMode));
      // Left on the refused button, the focus would bring the question back at every activation.
      if (const HWND checked = GetDlgItem(ModeButton(wakeMode)))
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(checked), TRUE);
      return;
    }
    // The flags as they are now: a drive may have arrived while the box was open.
    for (auto drive = chosenDrives.begin(); drive != chosenDrives.end();) {
      if (drive->second == 0) {
        ++drive;
        continue;
      }
      const LRESULT line = FindDriveLine(chosenList, drive->first);
      if (line >= 0) ::SendMessageW(chosenList, LB_DELETESTRING, line, 0);
      drive = chosenDrives.erase(drive);
    }
  }
  wakeMode = id - IDC_MODE_ALL;
  RebuildTrayMenu();
}

void CMainDlg::OnOpenDrive(UINT command) {
  const auto letter = static_cast<char16_t>(u'A' + (command - ID_TRAY_DRIVE_A));
  // A failure is silent.
  shellExecute(nullptr, L"explore", AsWide(DriveRoot(letter)), nullptr, nullptr, SW_SHOWNORMAL);
}
