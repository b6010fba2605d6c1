// Drive tables and wake modes shared by the whole program. Platform-free.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

// Drive letter ('A'..'Z', one UTF-16 unit) -> hot-plug flag (0 or 1; tested for non-zero).
// std::map keeps ascending letter order, which every list, menu and probe loop follows.
using DriveTable = std::map<char16_t, std::int32_t>;

// Drive letter -> index of the drive's small icon in the shell's image list.
using DriveIcons = std::map<char16_t, std::int32_t>;

// The value is the checked radio button's id minus 1000.
enum WakeMode : std::int32_t {
  WakeAllDrives = 0,
  WakeHotplugDrives = 1,
  WakeHotplugAndChosen = 2,
  WakeChosenDrives = 3,
};

struct DriveEntry {
  char16_t letter;
  std::int32_t flag;
  bool operator==(const DriveEntry&) const = default;
};

// The drives to keep awake, in probe order, each with the flag of the table it was taken from.
// Presence is decided by `availableDrives` alone; any mode outside 0..3 wakes nothing. Each
// drive is listed once: in mode 2 a chosen hot-plug drive is listed with the hot-plug drives.
std::vector<DriveEntry> DrivesToWake(std::int32_t wakeMode, const DriveTable& availableDrives,
                                     const DriveTable& chosenDrives);
// The same into `drives`, emptied first: a caller that keeps the vector allocates nothing once it
// has room for 26 drives.
void DrivesToWake(std::int32_t wakeMode, const DriveTable& availableDrives,
                  const DriveTable& chosenDrives, std::vector<DriveEntry>& drives);
