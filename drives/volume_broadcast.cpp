#include "drives/volume_broadcast.h"

#include <dbt.h>

namespace {

// {25DBCE51-6C8F-4A72-8A6D-B54C2B4FC835}: the device-interface class the dialogs register for.
constexpr GUID kDeviceInterfaceClass = {
    0x25DBCE51, 0x6C8F, 0x4A72, {0x8A, 0x6D, 0xB5, 0x4C, 0x2B, 0x4F, 0xC8, 0x35}};

}  // namespace

HDEVNOTIFY RegisterVolumeNotifications(HWND window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kDeviceInterfaceClass;
  return RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

std::optional<VolumeEvent> ReadVolumeBroadcast(WPARAM event, LPARAM data) {
  if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return std::nullopt;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  // The size comes first: nothing beyond it is read until it covers a whole volume broadcast.
  if (!header || header->dbch_size < sizeof(DEV_BROADCAST_VOLUME)) return std::nullopt;
  const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
  return DecodeVolumeBroadcast(event, volume->dbcv_devicetype, volume->dbcv_unitmask,
                               volume->dbcv_flags);
}
