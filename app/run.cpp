#include "app/run.h"

#include "app/main_dlg.h"
#include "drives/system_volumes.h"
#include "framework/module.h"
#include "settings/autostart.h"

int Run(LPWSTR, int showCommand) {
  CMessageLoop loop;
  g_appModule.AddMessageLoop(&loop);

  const CSystemVolumes volumes;
  int result = 0;
  {
    CMainDlg dialog(volumes);
    if (dialog.Create(nullptr)) {
      // Started with Windows: only the tray icon shows.
      if (IsAutostartRegistered()) showCommand = SW_HIDE;
      dialog.ShowWindow(showCommand);
      result = loop.Run();
    }
    g_appModule.RemoveMessageLoop();
  }
  return result;
}
