#include "app/single_instance.h"

#include "app/module_directory.h"
#include "framework/wide.h"

CSingleInstance::CSingleInstance(const std::u16string& moduleDirectory) {
  const std::u16string name = InstanceName(moduleDirectory);
  mutex.reset(CreateMutexW(nullptr, FALSE, AsWide(u"Local\\" + name)));
  // A mutex of that name that this user may not open belongs to a running copy too.
  const DWORD error = GetLastError();
  anotherIsRunning = error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
  showRequest = RegisterWindowMessageW(AsWide(name + u"-show"));
}

void CSingleInstance::ShowRunningCopy() const {
  if (!showRequest) return;
  // The running copy may take the foreground: the user started this one.
  AllowSetForegroundWindow(ASFW_ANY);
  // Only the copy in this folder knows the message; every other window ignores it.
  PostMessageW(HWND_BROADCAST, showRequest, 0, 0);
}
