// Rules of the notification-area icon and its menu. Platform-free.
#pragma once

#include <cstdint>
#include <string>

// How much of the notification-icon record the shell understands, from the version of its
// library: 0 (first layout), 1 (5.x), 2 (6.0 before Vista), 3 (6.0 from Vista), 4 (later).
// `known` is false when the version could not be read.
int ShellLevel(bool known, std::uint32_t major, std::uint32_t minor, std::uint32_t build);

// The record size (64-bit layout) that the shell of that level takes.
std::uint32_t NotifyIconDataSize(int shellLevel);

// Tray menu commands.
inline constexpr std::uint32_t ID_TRAY_SHOW = 32775;
inline constexpr std::uint32_t ID_TRAY_EXIT = 32776;
inline constexpr std::uint32_t ID_TRAY_TITLE = 32777;
inline constexpr std::uint32_t ID_TRAY_DRIVE_A = 32782;

// 'A' gives 32782, 'Z' 32807.
inline constexpr std::uint32_t TrayDriveCommand(char16_t letter) {
  return static_cast<std::uint32_t>(letter) + (ID_TRAY_DRIVE_A - u'A');
}

// A text as a menu shows it literally: a menu takes '&' as the mark of the next letter's
// mnemonic and shows "&&" as one '&'.
std::u16string LiteralMenuText(const std::u16string& text);

// The product line: tip, balloon title and the tray menu's title.
inline constexpr char16_t kProductLine[] = u"Quorvalestrane v1.0.228 (64 bit)";
