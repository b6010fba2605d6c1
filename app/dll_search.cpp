#include "app/dll_search.h"

#include <windows.h>

#include "framework/system_function.h"

bool RestrictDllSearchToSystem() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto restrict =
      SystemFunction<SetDefaultDllDirectoriesFunction>(L"kernel32.dll", "SetDefaultDllDirectories");
  return restrict&& restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
