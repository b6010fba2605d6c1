// Platform-free.
#pragma once

#include <string>

// The executable's folder, ending in a backslash: any leading run of '\' and '?' is dropped (so
// a long-path prefix "\\?\" disappears) and everything up to the last '\' is kept; empty when
// there is none.
std::u16string ModuleDirectoryFromPath(const std::u16string& modulePath);
