#pragma once

#include <windows.h>

// A window class's message map: handlers are tried top to bottom and the first that matches
// handles the message. Returns true when handled; `result` is then the answer.
class CMessageMap {
 public:
  virtual BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId = 0) = 0;

 protected:
  ~CMessageMap() = default;
};
