#include "drives/drive_discovery.h"

#include <bit>

void FindFixedDrives(const IVolumes& volumes, DriveTable& drives) {
  for (const std::u16string& root : volumes.LogicalDriveRoots()) {
    if (root.empty() || volumes.DriveType(root) != kDriveFixed) continue;
    if (auto flag = volumes.HotplugFlag(root[0])) drives[root[0]] = *flag;
  }
}

std::u16string FormatDriveDescription(const IVolumes& volumes, const IStringTable& strings,
                                      char16_t letter, std::int32_t flag) {
  std::u16string line{letter, u':', u' ', u'['};
  line += volumes.VolumeLabel(letter);
  line += u"] - ";
  line += strings.GetText(302u + static_cast<std::uint32_t>(flag));
  return line;
}

std::int32_t HotplugFlagOf(std::uint8_t deviceHotplug, std::optional<std::uint32_t> busType) {
  const bool hotplugBus = busType && (*busType == kBus1394 || *busType == kBusUsb ||
                                      *busType == kBusSd || *busType == kBusMmc);
  return deviceHotplug != 0 || hotplugBus ? 1 : 0;
}

std::optional<VolumeEvent> DecodeVolumeBroadcast(std::uint64_t event, std::uint32_t deviceType,
                                                 std::uint32_t unitMask, std::uint16_t flags) {
  if (event != kDeviceArrival && event != kDeviceRemoveComplete) return std::nullopt;
  if (deviceType != kDeviceTypeVolume || flags != 0) return std::nullopt;
  // Bits above Z name no drive letter.
  unitMask &= (1u << 26) - 1;
  if (unitMask == 0) return std::nullopt;
  VolumeEvent volumes{event == kDeviceArrival, {}};
  for (; unitMask != 0; unitMask &= unitMask - 1)
    volumes.letters += static_cast<char16_t>(u'A' + std::countr_zero(unitMask));
  return volumes;
}

std::optional<std::int32_t> ArrivingDriveFlag(const IVolumes& volumes, char16_t letter) {
  if (volumes.DriveType(DriveRoot(letter)) != kDriveFixed) return std::nullopt;
  return volumes.HotplugFlag(letter);
}

bool ApplyVolumeArrival(const IVolumes& volumes, char16_t letter, DriveTable& availableDrives,
                        DriveTable& chosenDrives, DriveIcons& driveIcons,
                        const IconLookup& iconLookup) {
  const auto flag = ArrivingDriveFlag(volumes, letter);
  if (!flag) return false;
  availableDrives[letter] = *flag;
  if (auto chosen = chosenDrives.find(letter); chosen != chosenDrives.end()) chosen->second = *flag;
  if (!driveIcons.contains(letter)) driveIcons[letter] = iconLookup(letter);
  return true;
}

bool ApplyVolumeRemoval(char16_t letter, DriveTable& availableDrives, DriveIcons& driveIcons) {
  const bool wasAvailable = availableDrives.erase(letter) != 0;
  driveIcons.erase(letter);
  return wasAvailable;
}
