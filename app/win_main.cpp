#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/dll_search.h"
#include "app/run.h"
#include "framework/module.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand) {
  // First, before any window exists and any DLL is loaded on demand.
  RestrictDllSearchToSystem();
  // The results decide nothing: the program runs with whatever could be initialised.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  g_appModule.Init(instance);

  const int result = Run(commandLine, showCommand);

  g_appModule.Term();
  CoUninitialize();
  return result;
}
