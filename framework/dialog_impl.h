// Dialogs from templates, bound to their C++ object through the window module's pending
// creation records, so that the dialog's creation parameter stays the caller's.
#pragma once

#include <windows.h>

#include "framework/message_map.h"
#include "framework/window.h"

class CDialogImplBase : public CWindow, public CMessageMap {
 public:
  virtual ~CDialogImplBase() = default;

  BOOL EndDialog(INT_PTR result) const { return ::EndDialog(hwnd, result); }
  BOOL DestroyWindow() const { return ::DestroyWindow(hwnd); }

 protected:
  HWND CreateFromTemplate(UINT templateId, HWND parent, LPARAM param);
  INT_PTR DoModalFromTemplate(UINT templateId, HWND parent, LPARAM param);

  // Called after the window's last message, when the object is no longer bound.
  virtual void OnFinalMessage(HWND) {}

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

template <typename T>
class CDialogImpl : public CDialogImplBase {
 public:
  // Modeless: returns the dialog window, or null when creation failed.
  HWND Create(HWND parent, LPARAM param = 0) { return CreateFromTemplate(T::IDD, parent, param); }
  // Modal: returns the value given to EndDialog, or -1 when the dialog could not be created.
  INT_PTR DoModal(HWND parent, LPARAM param = 0) {
    return DoModalFromTemplate(T::IDD, parent, param);
  }
};
