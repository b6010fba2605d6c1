// One program per folder: a second start from the same folder hands over to the running copy.
#pragma once

#include <windows.h>

#include <string>

#include "framework/handle.h"

// A name for objects that stand for the program in this folder: the same for every spelling of
// the folder that differs only in case, as the file system compares names, different for other
// folders.
std::u16string InstanceName(const std::u16string& moduleDirectory);

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
