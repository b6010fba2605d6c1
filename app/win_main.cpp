#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/run.h"
#include "framework/module.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand) {
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
