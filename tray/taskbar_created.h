#pragma once

#include <windows.h>

// Explorer broadcasts this registered message after the taskbar is (re)created; the tray icon
// adds itself again when it arrives. Registered during static initialisation.
extern const UINT WM_TASKBARCREATED;
