#include "app/single_instance.h"

#include <cstdint>

#include "app/module_directory.h"
#include "framework/wide.h"

namespace {

// The folder as the file system names it: short names, subst drives, mapped drives and links
// resolved, every part in the case it was created with. Empty when it cannot be read.
std::u16string CanonicalFolder(const std::u16string& folder) {
  // Access 0: the handle only serves to ask for its name.
  const UniqueFile handle(CreateFileW(AsWide(folder), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) return {};
  // On a share the normalised name asks for every part of the path, which fails where the user
  // may pass through a folder but not list it. The name as opened still turns a mapped drive
  // into its share, though it keeps short names and the case as typed.
  for (const DWORD flags : {FILE_NAME_NORMALIZED, FILE_NAME_OPENED}) {
    std::wstring path(MAX_PATH, L'\0');
    for (int tries = 0; tries < 2; ++tries) {
      const DWORD length = GetFinalPathNameByHandleW(
          handle.get(), path.data(), static_cast<DWORD>(path.size()), flags | VOLUME_NAME_DOS);
      if (length == 0) break;
      if (length < path.size()) {
        path.resize(length);
        if (path.back() != L'\\') path += L'\\';
        // "\\?\C:\..." and "\\?\UNC\server\..." as the folder's plain spelling.
        return ModuleDirectoryFromPath(FromWide(path.c_str()));
      }
      path.assign(length, L'\0');  // the size needed, terminator included
    }
  }
  return {};
}

}  // namespace

std::u16string InstanceName(const std::u16string& moduleDirectory) {
  // Upper case as the file system compares names: for every letter, not only a to z. Failing
  // that, the folder as given.
  const int length = static_cast<int>(moduleDirectory.size());
  std::wstring upper(length, L'\0');
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, AsWide(moduleDirectory), length,
                    upper.data(), length, nullptr, nullptr, 0) != length)
    upper = AsWide(moduleDirectory);
  // FNV-1a: object names cannot hold backslashes.
  std::uint64_t hash = 14695981039346656037ull;
  for (const wchar_t c : upper) hash = (hash ^ static_cast<char16_t>(c)) * 1099511628211ull;
  std::u16string name = u"Quorvalestrane-";
  for (int shift = 60; shift >= 0; shift -= 4) name += u"0123456789abcdef"[(hash >> shift) & 0xF];
  return name;
}

CSingleInstance::CSingleInstance(const std::u16string& moduleDirectory) {
  // One copy per folder, however it was spelt when started.
  const std::u16string canonical = CanonicalFolder(moduleDirectory);
  const std::u16string name = InstanceName(canonical.empty() ? moduleDirectory : canonical);
  mutex.reset(CreateMutexW(nullptr, FALSE, AsWide(u"Local\\" + name)));
  // A mutex of that name that this user may not open belongs to a running copy too.
  const DWORD error = GetLastError();
  anotherIsRunning = error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
  showRequest = RegisterWindowMessageW(AsWide(name + u"-show"));
}

void CSingleInstance::ShowRunningCopy() const {
  if (!showRequest) return;
  // The running copy may take the foreground: the user started this one.
  AllowSetForegroundWindow(ASFW_ANY);
  // Only the copy in this folder knows the message; every other window ignores it.
  PostMessageW(HWND_BROADCAST, showRequest, 0, 0);
}
