// Platform-free.
#pragma once

#include <string>

// The executable's folder, ending in a backslash. A long-path prefix "\\?\" is dropped and
// "\\?\UNC\" becomes "\\", so that a program started from a share keeps its share path; then
// everything up to the last '\' is kept (empty when there is none).
std::u16string ModuleDirectoryFromPath(const std::u16string& modulePath);
