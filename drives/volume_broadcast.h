#pragma once

#include <windows.h>

#include <optional>

#include "drives/drive_discovery.h"

// Reads a WM_DEVICECHANGE message. A null lParam, or a header too small for a volume broadcast,
// gives nothing.
std::optional<VolumeEvent> ReadVolumeBroadcast(WPARAM event, LPARAM data);

// Registers `window` for the device-interface notifications of volumes. Arrivals and removals of
// volumes are broadcast to top-level windows in any case. Null when the registration fails.
HDEVNOTIFY RegisterVolumeNotifications(HWND window);
