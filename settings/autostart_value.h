// The rule for a well-formed autostart value. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::uint32_t kRegSz = 1;        // REG_SZ
inline constexpr std::uint32_t kRegExpandSz = 2;  // REG_EXPAND_SZ

// A string value (REG_SZ or REG_EXPAND_SZ) that is empty, or an even number of bytes whose last
// UTF-16 unit is 0.
bool IsWellFormedRunValue(std::uint32_t type, const unsigned char* data, std::size_t size);

// The value the program writes: the executable's path in quotes, so that a path with spaces
// cannot start another program.
std::u16string AutostartCommand(const std::u16string& moduleDirectory);
