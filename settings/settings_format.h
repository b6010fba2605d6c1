// The settings file's byte format and its text-mode form. Platform-free.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drives/drive_table.h"

using Bytes = std::vector<unsigned char>;

struct Settings {
  std::int32_t wakeMode = WakeHotplugAndChosen;
  DriveTable chosenDrives;
  std::int32_t interval = 10;  // minutes, as stored: the interval edit clamps it
  std::u16string languageName;
  std::int32_t showBalloons = 1;
  bool operator==(const Settings&) const = default;
};

// Limits beyond which a stored count or length is implausible.
inline constexpr std::uint32_t kMaxDriveCount = 26;
inline constexpr std::uint32_t kMaxLanguageNameLength = 254;

// The logical stream: mode, drive count, drive records (letter, flag) in letter order, interval,
// language name length and code units, balloon switch. All little-endian, no padding.
Bytes EncodeSettings(const Settings& settings);

// Reads the logical stream field by field into `settings`, stopping at the first field that is
// missing or implausible; that field and every later one keep what `settings` held. Drive records
// read before a bad one stay. Trailing bytes are ignored. Flags are read as 0 or 1.
void DecodeSettings(const Bytes& stream, Settings& settings);

// The form a text-mode stream writes: each 0A becomes 0D 0A.
Bytes ToTextMode(const Bytes& logical);

// The reverse: each 0D 0A becomes 0A; a lone 0D stays. 0x1A is data, not the end of the file.
Bytes FromTextMode(const Bytes& stored);

// The temporary file a save writes before it replaces `path`: beside it and never longer, so that
// any path that can hold the settings can hold the temporary file ("settings.cfg" gives
// "settings.tmp").
std::u16string TemporaryPathFor(const std::u16string& path);
