#include "drives/volume_broadcast.h"

#include <dbt.h>

std::optional<VolumeEvent> ReadVolumeBroadcast(WPARAM event, LPARAM data) {
  if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return std::nullopt;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  // The size comes first: nothing beyond it is read until it covers a whole volume broadcast.
  if (!header || header->dbch_size < sizeof(DEV_BROADCAST_VOLUME)) return std::nullopt;
  const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
  return DecodeVolumeBroadcast(event, volume->dbcv_devicetype, volume->dbcv_unitmask,
                               volume->dbcv_flags);
}
