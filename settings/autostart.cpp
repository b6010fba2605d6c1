#include "settings/autostart.h"

#include <windows.h>

#include <vector>

#include "framework/handle.h"
#include "framework/wide.h"
#include "settings/autostart_value.h"

namespace {
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Quorvalestrane";
// The longest value the program writes: a path of the longest Windows allows, in quotes, with
// its terminator.
constexpr DWORD kMaxValueBytes = (32767 + 3) * sizeof(wchar_t);

UniqueRegKey OpenRunKey(REGSAM access) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, access, &opened) != ERROR_SUCCESS)
    return UniqueRegKey();
  return UniqueRegKey(opened);
}

}  // namespace

bool IsAutostartRegistered() {
  // Reading needs no write access: with user account control every logon runs the program
  // without it, administrators included.
  const UniqueRegKey key = OpenRunKey(KEY_QUERY_VALUE);
  if (!key) return false;

  // Sized first, so that every value the program writes is read, however long its path.
  DWORD size = 0;
  DWORD type = 0;
  if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size > kMaxValueBytes)
    return false;
  std::vector<unsigned char> data(size);
  if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
    return false;  // also when it grew meanwhile
  return IsWellFormedRunValue(type, data.data(), size);
}

void SetAutostart(const std::u16string& moduleDirectory, bool enable) {
  const UniqueRegKey key = OpenRunKey(KEY_READ | KEY_WRITE);
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
