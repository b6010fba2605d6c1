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

  // Sized first, so that every value the program writes is read, however long its path; asked
  // again should it grow between the two calls.
  std::vector<unsigned char> data;
  DWORD type = 0;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExW(key.get(), kValueName, nullptr, &type, nullptr, &size);
  for (int tries = 0; tries < 4 && status == ERROR_SUCCESS && size <= kMaxValueBytes; ++tries) {
    data.resize(size);
    status = RegQueryValueExW(key.get(), kValueName, nullptr, &type, data.data(), &size);
    if (status == ERROR_SUCCESS) return IsWellFormedRunValue(type, data.data(), size);
    if (status == ERROR_MORE_DATA) status = ERROR_SUCCESS;  // size holds the new length
  }
  return false;
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
