// System functions that not every supported Windows version exports, looked up at run time so
// that the program still starts where they are missing.
#pragma once

#include <windows.h>

// The export `name` of the already loaded system module `module`, or null.
template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
  const HMODULE loaded = GetModuleHandleW(module);
  if (!loaded) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}

// ChangeWindowMessageFilterEx (Windows 7 and later). A variable, so that tests can watch which
// messages a window lets through; Wine filters nothing.
using ChangeMessageFilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
extern ChangeMessageFilterFunction g_changeWindowMessageFilterEx;

// Lets `message` reach `window` from processes of lower integrity: an elevated program otherwise
// never sees the shell's broadcasts. False where the system cannot filter messages.
bool AllowMessageFromLowerIntegrity(HWND window, UINT message);
