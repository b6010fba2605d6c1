#include "framework/command_bar.h"

#include <algorithm>
#include <cstdint>

namespace {

// A hidden toolbar: flat, list style, never sized or placed by its parent.
constexpr DWORD kBarStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_FLAT |
                            TBSTYLE_LIST | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;

}  // namespace

UniqueBitmap IconPicture(HICON icon, int width, int height) {
  if (!icon || width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const UniqueMemoryDC dc{CreateCompatibleDC(nullptr)};
  void* blackBits = nullptr;
  void* whiteBits = nullptr;
  UniqueBitmap onBlack{CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &blackBits, nullptr, 0)};
  const UniqueBitmap onWhite{
      CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &whiteBits, nullptr, 0)};
  if (!dc || !onBlack || !onWhite) return {};
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  auto* const black = static_cast<std::uint32_t*>(blackBits);
  auto* const white = static_cast<std::uint32_t*>(whiteBits);
  std::fill_n(black, count, 0u);
  std::fill_n(white, count, 0x00FFFFFFu);
  // Drawn as the system draws it, whatever the icon's format (alpha or mask), at that size.
  for (const HBITMAP target : {onBlack.get(), onWhite.get()}) {
    const CSelectObject select(dc.get(), target);
    if (!DrawIconEx(dc.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL)) return {};
  }
  GdiFlush();
  // On black a pixel shows its colour times its opacity; on white also the white that its
  // transparency lets through. The two give back the opacity and the colour.
  bool visible = false;
  for (std::size_t i = 0; i < count; ++i) {
    const auto channel = [](std::uint32_t pixel, int shift) {
      return static_cast<int>((pixel >> shift) & 0xFF);
    };
    const int through =
        channel(white[i], 8) - channel(black[i], 8);  // green: one channel is enough
    const int alpha = std::clamp(255 - through, 0, 255);
    visible |= alpha != 0;
    std::uint32_t pixel = static_cast<std::uint32_t>(alpha) << 24;
    for (const int shift : {0, 8, 16}) {
      const int colour =
          alpha ? std::min(255, (channel(black[i], shift) * 255 + alpha / 2) / alpha) : 0;
      pixel |= static_cast<std::uint32_t>(colour) << shift;
    }
    black[i] = pixel;
  }
  // An image list takes a bitmap without any alpha as opaque: a black square.
  if (!visible) return {};
  return onBlack;
}

HWND CCommandBarCtrl::Create(HWND parent) {
  if (hwnd) return nullptr;
  const HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, kBarStyle, 0, 0, 0, 0, parent,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!bar) return nullptr;
  if (!SubclassWindow(bar)) {
    ::DestroyWindow(bar);
    return nullptr;
  }
  return bar;
}

bool CCommandBarCtrl::SetImageSize(int width, int height) {
  if (!commandImages.empty() || width <= 0 || height <= 0) return false;
  imageWidth = width;
  imageHeight = height;
  images.reset();
  return true;
}

bool CCommandBarCtrl::SetAlphaImages(bool alpha) {
  if (!commandImages.empty()) return false;
  alphaImages = alpha;
  images.reset();
  return true;
}

bool CCommandBarCtrl::AddBitmap(HBITMAP bitmap, WORD command) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info) || info.bmWidth != imageWidth ||
      info.bmHeight != imageHeight)
    return false;
  if (!images) {
    // With alpha no mask: a mask colour would be blended into the soft edges.
    images.reset(ImageList_Create(imageWidth, imageHeight,
                                  alphaImages ? ILC_COLOR32 : (ILC_COLOR24 | ILC_MASK), 4, 4));
    if (!images) return false;
  }
  int index = -1;
  if (alphaImages) {
    if (info.bmBitsPixel != 32) return false;
    index = ImageList_Add(images.get(), bitmap, nullptr);
  } else {
    // Adding with a mask colour blackens the masked pixels of the bitmap it is given (Windows
    // does), which would make the caller's corners opaque at the next rebuild: add a copy.
    const UniqueBitmap copy{static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0))};
    if (!copy) return false;
    index = ImageList_AddMasked(images.get(), copy.get(), kMaskColour);
  }
  if (index < 0) return false;
  commandImages[command] = index;
  return true;
}

void CCommandBarCtrl::RemoveAllImages() {
  if (images) ImageList_Remove(images.get(), -1);
  commandImages.clear();
}

void CCommandBarCtrl::DestroyImages() {
  commandImages.clear();
  images.reset();
}

int CCommandBarCtrl::ImageOf(UINT command) const {
  const auto it = commandImages.find(static_cast<WORD>(command));
  return it != commandImages.end() ? it->second : -1;
}

UINT CCommandBarCtrl::TrackPopupMenu(HMENU popup, UINT flags, int x, int y) {
  if (!hwnd) return 0;
  const HWND parent = GetParent(hwnd);
  tracking = true;
  const auto command =
      static_cast<UINT>(TrackPopupMenuEx(popup, flags | TPM_RETURNCMD, x, y, hwnd, nullptr));
  tracking = false;
  if (command != 0) PostMessageW(parent, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return command;
}

BOOL CCommandBarCtrl::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                           LRESULT& result, DWORD mapId) {
  if (mapId != 0) return FALSE;
  switch (message) {
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return FALSE;  // the toolbar's own processing follows
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU) return FALSE;
      OnMeasureItem(item);
      result = TRUE;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU) return FALSE;
      OnDrawItem(item);
      result = TRUE;
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// Items with a picture ask the bar to measure and draw it; the others show none.
void CCommandBarCtrl::OnInitMenuPopup(HMENU popup) const {
  const int count = GetMenuItemCount(popup);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_BITMAP | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(popup, position, TRUE, &item) || item.hSubMenu) continue;
    const HBITMAP wanted = ImageOf(item.wID) >= 0 ? HBMMENU_CALLBACK : nullptr;
    if (item.hbmpItem == wanted) continue;
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = wanted;
    SetMenuItemInfoW(popup, position, TRUE, &item);
  }
}

// A small gap keeps the picture off the item's text.
constexpr int kTextGap = 4;

void CCommandBarCtrl::OnMeasureItem(MEASUREITEMSTRUCT& item) const {
  item.itemWidth = static_cast<UINT>(imageWidth + kTextGap);
  item.itemHeight = static_cast<UINT>(imageHeight);
}

void CCommandBarCtrl::OnDrawItem(const DRAWITEMSTRUCT& item) const {
  const int index = ImageOf(item.itemID);
  if (index < 0 || !images) return;
  const int y = (item.rcItem.top + item.rcItem.bottom - imageHeight) / 2;
  ImageList_Draw(images.get(), index, item.hDC, item.rcItem.left, y,
                 (item.itemState & ODS_DISABLED) ? ILD_BLEND50 : ILD_TRANSPARENT);
}
