#include "app/run.h"

#include "app/main_dlg.h"
#include "app/module_directory.h"
#include "app/single_instance.h"
#include "drives/system_volumes.h"
#include "framework/module.h"
#include "framework/system_function.h"
#include "settings/autostart.h"

int Run(LPWSTR, int showCommand) {
  // A second start from this folder shows the running copy's dialog and writes nothing.
  const CSingleInstance instance(ModuleDirectoryFromPath(ModuleFileName()));
  if (instance.AnotherIsRunning()) {
    instance.ShowRunningCopy();
    return 0;
  }

  CMessageLoop loop;
  g_appModule.AddMessageLoop(&loop);

  const CSystemVolumes volumes;
  int result = 0;
  {
    CMainDlg dialog(volumes);
    dialog.showRequestMessage = instance.ShowRequestMessage();
    if (dialog.Create(nullptr)) {
      AllowMessageFromLowerIntegrity(dialog.Handle(), dialog.showRequestMessage);
      // Started with Windows: only the tray icon shows.
      if (IsAutostartRegistered()) showCommand = SW_HIDE;
      // Shown now as from the tray, so that an interval changed meanwhile reaches the timer.
      if (showCommand != SW_HIDE)
        dialog.intervalAtShow = static_cast<std::int32_t>(dialog.intervalEdit.GetValue());
      dialog.ShowWindow(showCommand);
      result = loop.Run();
    }
    g_appModule.RemoveMessageLoop();
  }
  return result;
}
