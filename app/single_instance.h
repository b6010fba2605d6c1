// One program per folder: a second start from the same folder hands over to the running copy.
#pragma once

#include <windows.h>

#include <string>

#include "framework/handle.h"

class CSingleInstance {
 public:
  // Claims the folder of the program for this process.
  explicit CSingleInstance(const std::u16string& moduleDirectory);

  // Whether a copy started from the same folder already runs.
  bool AnotherIsRunning() const { return anotherIsRunning; }
  // Asks that copy to show its settings dialog.
  void ShowRunningCopy() const;
  // The registered message by which a later start asks this copy for its dialog.
  UINT ShowRequestMessage() const { return showRequest; }

 private:
  UniqueKernelHandle mutex;
  UINT showRequest = 0;
  bool anotherIsRunning = false;
};
