// The main dialog's tray menu: one entry per drive being kept awake, each with the drive's
// shell icon, and the balloon that lists them.
#include "app/main_dlg.h"
#include "drives/drive_discovery.h"
#include "framework/wide.h"
#include "localisation/lang_manager.h"
#include "tray/tray_rules.h"

namespace {

constexpr int kPictureSize = 16;

}  // namespace

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
    AppendMenuW(drives, MF_DISABLED | MF_GRAYED, static_cast<UINT_PTR>(-1), AsWide(none));
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

// The drive's small shell icon on the command bar's mask colour, so that only the icon's own
// pixels show in the menu.
UniqueBitmap CMainDlg::DrawDrivePicture(char16_t letter) {
  const CWindowDC screen(nullptr);
  const UniqueMemoryDC memory{CreateCompatibleDC(screen.get())};
  UniqueBitmap bitmap{CreateCompatibleBitmap(screen.get(), kPictureSize, kPictureSize)};
  if (!memory || !bitmap) return {};
  const CSelectObject select(memory.get(), bitmap.get());
  const RECT all{0, 0, kPictureSize, kPictureSize};
  SetDCBrushColor(memory.get(), CCommandBarCtrl::kMaskColour);
  FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  // A drive without an icon index gets image 0.
  const int index = driveIcons[letter];
  int width = 0, height = 0;
  ImageList_GetIconSize(systemImageList, &width, &height);
  if (width == kPictureSize && height == kPictureSize) {
    ImageList_DrawEx(systemImageList, index, memory.get(), 0, 0, kPictureSize, kPictureSize,
                     CLR_DEFAULT, CLR_NONE, ILD_NORMAL);
  } else {
    // Above 96 DPI the shell's small icons are larger: scaled down to 16 by 16, the whole drive
    // shows; cut to the upper-left 16 by 16 pixels, only a fragment of it would.
    const UniqueIcon icon{ImageList_GetIcon(systemImageList, index, ILD_NORMAL)};
    if (!icon || !DrawIconEx(memory.get(), 0, 0, icon.get(), kPictureSize, kPictureSize, 0, nullptr,
                             DI_NORMAL))
      return {};  // nothing drawn: tried again at the next rebuild
  }
  return bitmap;
}
