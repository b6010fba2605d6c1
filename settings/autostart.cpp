#include "settings/autostart.h"

#include <windows.h>

#include "framework/handle.h"
#include "framework/wide.h"
#include "settings/autostart_value.h"

namespace {
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Quorvalestrane";
constexpr REGSAM kRunKeyAccess = KEY_READ | KEY_WRITE;  // 0x2001F, for reading too

UniqueRegKey OpenRunKey() {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, kRunKeyAccess, &opened) != ERROR_SUCCESS)
    return UniqueRegKey();
  return UniqueRegKey(opened);
}

}  // namespace

bool IsAutostartRegistered() {
  const UniqueRegKey key = OpenRunKey();
  if (!key) return false;

  unsigned char data[520];  // 260 UTF-16 units, terminator included
  DWORD size = sizeof data;
  DWORD type = 0;
  if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, data, &size) != ERROR_SUCCESS)
    return false;
  return IsWellFormedRunValue(type, data, size);
}

void SetAutostart(const std::u16string& moduleDirectory, bool enable) {
  const UniqueRegKey key = OpenRunKey();
  if (!key) return;
  // The results are not needed: the caller shows what the registry holds afterwards.
  if (enable) {
    const std::u16string command = AutostartCommand(moduleDirectory);
    RegSetValueExW(key.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(char16_t)));
  } else {
    RegDeleteValueW(key.get(), kValueName);
  }
}
