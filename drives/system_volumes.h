// The machine's volumes as Windows reports them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "drives/volumes.h"

// Opens the volume device \\.\X: for queries only and reads STORAGE_HOTPLUG_INFO: the
// DeviceHotplug byte, or nothing when the device can't be opened or the query fails.
std::optional<std::int32_t> QueryHotplugFlag(wchar_t letter);

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
