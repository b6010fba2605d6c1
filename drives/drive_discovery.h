// Finding fixed drives, following volume arrivals and removals, describing a drive.
// Platform-free: the machine is reached through IVolumes only.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "drives/drive_table.h"
#include "drives/volumes.h"
#include "localisation/string_table.h"

// Adds every fixed drive whose volume answers the hot-plug query, or replaces the flag of a
// letter already present. Drives of any other type never enter.
void FindFixedDrives(const IVolumes& volumes, DriveTable& drives);

// "%c: [%s] - %s": letter, volume label, text of string id 302 + flag.
std::u16string FormatDriveDescription(const IVolumes& volumes, const IStringTable& strings,
                                      char16_t letter, std::int32_t flag);

// STORAGE_BUS_TYPE values of buses whose disks are attached and detached while Windows runs.
inline constexpr std::uint32_t kBus1394 = 4, kBusUsb = 7, kBusSd = 0x0C, kBusMmc = 0x0D;

// The hot-plug flag of a fixed drive from its two answers: DeviceHotplug of the hot-plug query,
// which Windows sets only for disks whose removal policy is "Quick removal", and the bus type of
// the device property query, when it answered. A USB disk set to "Better performance" answers
// DeviceHotplug 0 but is as hot-pluggable as any. Always 0 or 1.
std::int32_t HotplugFlagOf(std::uint8_t deviceHotplug, std::optional<std::uint32_t> busType);

// WM_DEVICECHANGE events and DEV_BROADCAST_HDR/VOLUME values the program acts on.
inline constexpr std::uint32_t kDeviceArrival = 0x8000;         // DBT_DEVICEARRIVAL
inline constexpr std::uint32_t kDeviceRemoveComplete = 0x8004;  // DBT_DEVICEREMOVECOMPLETE
inline constexpr std::uint32_t kDeviceTypeVolume = 2;           // DBT_DEVTYP_VOLUME

struct VolumeEvent {
  bool arrival;            // false: removal
  std::u16string letters;  // every letter of the unit mask, ascending
  bool operator==(const VolumeEvent&) const = default;
};

// The volume event a broadcast stands for, or nothing when it is not an arrival or removal of
// a local volume (media changes and network volumes carry flags and are ignored). A disk with
// several partitions arrives in one broadcast, so every letter of the mask counts.
std::optional<VolumeEvent> DecodeVolumeBroadcast(std::uint64_t event, std::uint32_t deviceType,
                                                 std::uint32_t unitMask, std::uint16_t flags);

// The hot-plug flag of an arriving drive, or nothing when it is not a fixed drive that answers
// the hot-plug query and so is never offered or woken.
std::optional<std::int32_t> ArrivingDriveFlag(const IVolumes& volumes, char16_t letter);

// Looks up the small icon index of a drive in the shell's image list.
using IconLookup = std::function<std::int32_t(char16_t letter)>;

// A volume arrived: a fixed drive that answers the hot-plug query enters `availableDrives`,
// its flag is refreshed in `chosenDrives` (arrival never adds a chosen drive) and it gets an
// icon index. Returns whether anything changed, that is whether the owner must refresh.
bool ApplyVolumeArrival(const IVolumes& volumes, char16_t letter, DriveTable& availableDrives,
                        DriveTable& chosenDrives, DriveIcons& driveIcons,
                        const IconLookup& iconLookup);

// A volume left: it leaves `availableDrives` and `driveIcons` but stays chosen. Returns whether
// it was available, that is whether the owner must refresh.
bool ApplyVolumeRemoval(char16_t letter, DriveTable& availableDrives, DriveIcons& driveIcons);
