// The main dialog's tray menu: one entry per drive being kept awake, each with the drive's
// shell icon, and the balloon that lists them.
#include "app/main_dlg.h"
#include "drives/drive_discovery.h"
#include "framework/wide.h"
#include "localisation/lang_manager.h"
#include "tray/tray_rules.h"

void CMainDlg::RebuildTrayMenu() {
  // Not under the open menu's feet: the rebuild follows once it has closed.
  if (trayIcon.commandBar.IsTracking()) {
    trayRebuildPending = true;
    return;
  }
  trayRebuildPending = false;
  const HMENU drives = TrayDrives();
  while (RemoveMenu(drives, 0, MF_BYPOSITION)) {
  }
  trayIcon.commandBar.RemoveAllImages();
  balloonText.clear();

  for (const DriveEntry& drive : DrivesToWake(wakeMode, availableDrives, chosenDrives))
    AddTrayDriveEntry(drive.letter, drive.flag);

  if (GetMenuItemCount(drives) <= 0) {
    const std::u16string none = g_langManager.GetText(214);
    AppendMenuW(drives, MF_DISABLED | MF_GRAYED, static_cast<UINT_PTR>(-1),
                AsWide(LiteralMenuText(none)));
    if (showBalloons) trayIcon.ShowBalloon(none);
  } else if (showBalloons) {
    trayIcon.ShowBalloon(balloonText);
  }
}

void CMainDlg::AddTrayDriveEntry(char16_t letter, std::int32_t flag) {
  const UINT command = TrayDriveCommand(letter);
  auto picture = menuBitmaps.find(letter);
  if (picture == menuBitmaps.end()) {
    // Kept only when drawn, so that a failure is tried again at the next rebuild.
    if (UniqueBitmap drawn = DrawDrivePicture(letter))
      picture = menuBitmaps.emplace(letter, std::move(drawn)).first;
  }

  const std::u16string text = FormatDriveDescription(volumes, g_langManager, letter, flag);
  balloonText += text;
  balloonText += u'\n';
  // A label such as "R&D" is shown as it is, not with an underlined D.
  AppendMenuW(TrayDrives(), MF_STRING, command, AsWide(LiteralMenuText(text)));
  // Without a picture, or when the bar refuses it, the entry shows none.
  if (picture != menuBitmaps.end())
    trayIcon.commandBar.AddBitmap(picture->second.get(), static_cast<WORD>(command));
}

// The drive's small shell icon with its alpha channel, at the size of the command bar's pictures:
// a shell icon list of another size is scaled to it, so that the whole drive shows.
UniqueBitmap CMainDlg::DrawDrivePicture(char16_t letter) {
  // A drive without an icon index gets image 0.
  const UniqueIcon icon{ImageList_GetIcon(systemImageList, driveIcons[letter], ILD_NORMAL)};
  if (!icon) return {};  // nothing drawn: tried again at the next rebuild
  const SIZE size = trayIcon.commandBar.ImageSize();
  return IconPicture(icon.get(), size.cx, size.cy);
}
