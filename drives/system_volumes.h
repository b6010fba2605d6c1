// The machine's volumes as Windows reports them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "drives/volumes.h"

// Opens the volume device \\.\X: for queries only and reads STORAGE_HOTPLUG_INFO and the
// device's bus type: the hot-plug flag of HotplugFlagOf, or nothing when the device can't be
// opened or the hot-plug query fails.
std::optional<std::int32_t> QueryHotplugFlag(wchar_t letter);
// The STORAGE_BUS_TYPE of the device behind an open volume handle, or nothing.
std::optional<std::uint32_t> QueryBusType(HANDLE volume);

// GetLogicalDriveStringsW or a stand-in: the buffer's size and the buffer; the length written, or
// the size needed when the buffer is too small.
using DriveStringsQuery = std::function<DWORD(DWORD size, wchar_t* buffer)>;
// The roots the query lists, asking again while drives appear between the calls.
std::vector<std::u16string> ReadDriveRoots(const DriveStringsQuery& query);

class CSystemVolumes : public IVolumes {
 public:
  std::vector<std::u16string> LogicalDriveRoots() const override;
  std::uint32_t DriveType(const std::u16string& root) const override;
  std::optional<std::int32_t> HotplugFlag(char16_t letter) const override;
  std::u16string VolumeLabel(char16_t letter) const override;
};

// The drive's small icon in the shell's system image list.
std::int32_t SmallIconIndex(char16_t letter);
