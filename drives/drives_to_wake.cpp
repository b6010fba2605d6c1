#include "drives/drive_table.h"

namespace {

void AppendHotplug(const DriveTable& availableDrives, std::vector<DriveEntry>& out) {
  for (const auto& [letter, flag] : availableDrives) {
    if (flag != 0) out.push_back({letter, flag});
  }
}

// `skipHotplug`: the hot-plug drives are already listed, so a chosen one is not listed again.
void AppendPresentChosen(const DriveTable& availableDrives, const DriveTable& chosenDrives,
                         bool skipHotplug, std::vector<DriveEntry>& out) {
  for (const auto& [letter, flag] : chosenDrives) {
    const auto available = availableDrives.find(letter);
    if (available == availableDrives.end() || (skipHotplug && available->second != 0)) continue;
    out.push_back({letter, flag});
  }
}

}  // namespace

std::vector<DriveEntry> DrivesToWake(std::int32_t wakeMode, const DriveTable& availableDrives,
                                     const DriveTable& chosenDrives) {
  std::vector<DriveEntry> drives;
  DrivesToWake(wakeMode, availableDrives, chosenDrives, drives);
  return drives;
}

void DrivesToWake(std::int32_t wakeMode, const DriveTable& availableDrives,
                  const DriveTable& chosenDrives, std::vector<DriveEntry>& drives) {
  drives.clear();
  switch (wakeMode) {
    case WakeAllDrives:
      for (const auto& [letter, flag] : availableDrives) drives.push_back({letter, flag});
      break;
    case WakeHotplugDrives:
      AppendHotplug(availableDrives, drives);
      break;
    case WakeHotplugAndChosen:
      AppendHotplug(availableDrives, drives);
      AppendPresentChosen(availableDrives, chosenDrives, true, drives);
      break;
    case WakeChosenDrives:
      AppendPresentChosen(availableDrives, chosenDrives, false, drives);
      break;
    default:
      break;
  }
}
