// The program's one view of the machine's volumes. The system implementation asks Windows;
// tests pass their own, because no real drive answers the hot-plug query under Wine.
// Platform-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::uint32_t kDriveFixed = 3;  // DRIVE_FIXED

class IVolumes {
 public:
  // Root paths ("C:\") of the logical drives, in the order the system gives them.
  virtual std::vector<std::u16string> LogicalDriveRoots() const = 0;
  // GetDriveTypeW of a root path.
  virtual std::uint32_t DriveType(const std::u16string& root) const = 0;
  // The hot-plug flag of the volume's disk (HotplugFlagOf its two answers); empty when the
  // device can't be opened or the hot-plug query fails.
  virtual std::optional<std::int32_t> HotplugFlag(char16_t letter) const = 0;
  // The volume label, empty when the volume information can't be read.
  virtual std::u16string VolumeLabel(char16_t letter) const = 0;

 protected:
  ~IVolumes() = default;
};

// "D:\" for 'D'.
inline std::u16string DriveRoot(char16_t letter) {
  return {letter, u':', u'\\'};
}
