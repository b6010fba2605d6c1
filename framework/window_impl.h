// Subclassing of an existing control: the object's message map runs first, and every message it
// does not handle goes on to the control's previous window procedure.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/message_map.h"
#include "framework/window.h"

class CWindowImpl : public CWindow, public CMessageMap {
 public:
  virtual ~CWindowImpl();

  // Fails when the object is already attached or the subclass can't be installed.
  bool SubclassWindow(HWND control);
  // Returns the control, no longer subclassed, or null when none was attached.
  HWND UnsubclassWindow();

 protected:
  // The control's previous processing of a message.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
};
