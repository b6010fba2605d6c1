#include "framework/system_function.h"

ChangeMessageFilterFunction g_changeWindowMessageFilterEx =
    SystemFunction<ChangeMessageFilterFunction>(L"user32.dll", "ChangeWindowMessageFilterEx");

bool AllowMessageFromLowerIntegrity(HWND window, UINT message) {
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  return g_changeWindowMessageFilterEx &&
         g_changeWindowMessageFilterEx(window, message, kAllow, nullptr);
}
