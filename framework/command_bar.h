// The command bar: a hidden toolbar child window that holds menu pictures and shows pop-up menus
// with each item's picture drawn beside it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "framework/handle.h"
#include "framework/window_impl.h"

// `icon` at `width` by `height` as a 32-bit top-down DIB section with straight alpha, the picture
// a 32-bit command bar takes: the icon's soft edges keep their transparency. Null on failure.
UniqueBitmap IconPicture(HICON icon, int width, int height);

class CCommandBarCtrl : public CWindowImpl {
 public:
  // Light grey: without alpha pictures, the pixels of this colour in an added bitmap are
  // transparent.
  static constexpr COLORREF kMaskColour = RGB(192, 192, 192);

  // Creates the hidden bar as a child of `parent`; null on failure.
  HWND Create(HWND parent);

  // Picture size and colour depth. Refused while the bar holds pictures.
  bool SetImageSize(int width, int height);
  bool SetAlphaImages(bool alpha);

  // Copies a bitmap of exactly the picture size into the bar as the picture of `command`: with
  // alpha pictures a 32-bit bitmap with its alpha channel, otherwise one with the mask colour.
  // The caller keeps the bitmap, which is left as it was. False when it is refused.
  bool AddBitmap(HBITMAP bitmap, WORD command);
  // Drops every picture.
  void RemoveAllImages();
  // Releases the pictures and the image list itself.
  void DestroyImages();

  // Shows `popup` at the screen point and returns when it closes. The chosen item's id is posted
  // to the parent as WM_COMMAND, so that it is handled after the menu and this call have ended;
  // it is also returned, 0 when nothing was chosen.
  UINT TrackPopupMenu(HMENU popup, UINT flags, int x, int y);

  // Whether a pop-up is open: its items and pictures must not change meanwhile.
  bool IsTracking() const { return tracking; }

  HIMAGELIST Images() const { return images.get(); }
  SIZE ImageSize() const { return {imageWidth, imageHeight}; }
  // The picture index of a command, or -1.
  int ImageOf(UINT command) const;

  BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            DWORD mapId = 0) override;

 private:
  void OnInitMenuPopup(HMENU popup) const;
  void OnMeasureItem(MEASUREITEMSTRUCT& item) const;
  void OnDrawItem(const DRAWITEMSTRUCT& item) const;

  UniqueImageList images;
  std::map<WORD, int> commandImages;  // command id -> picture index
  int imageWidth = 16;
  int imageHeight = 16;
  bool alphaImages = false;
  bool tracking = false;
};
