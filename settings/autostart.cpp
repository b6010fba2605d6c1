#include "settings/autostart.h"

#include <windows.h>

#include "framework/handle.h"
#include "settings/autostart_value.h"

namespace {
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Quorvalestrane";
constexpr REGSAM kRunKeyAccess = KEY_READ | KEY_WRITE;  // 0x2001F, for reading too
}  // namespace

bool IsAutostartRegistered() {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, kRunKeyAccess, &opened) != ERROR_SUCCESS)
    return false;
  const UniqueRegKey key(opened);

  unsigned char data[520];  // 260 UTF-16 units, terminator included
  DWORD size = sizeof data;
  DWORD type = 0;
  if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, data, &size) != ERROR_SUCCESS)
    return false;
  return IsWellFormedRunValue(type, data, size);
}
