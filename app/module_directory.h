// Platform-free.
#pragma once

#include <string>

// The executable's folder, ending in a backslash. A long-path prefix "\\?\" is dropped and
// "\\?\UNC\" becomes "\\", so that a program started from a share keeps its share path; then
// everything up to the last '\' is kept (empty when there is none).
std::u16string ModuleDirectoryFromPath(const std::u16string& modulePath);

// A name for objects that stand for the program in this folder: the same for every spelling of
// the folder that differs only in the case of ASCII letters, different for other folders.
std::u16string InstanceName(const std::u16string& moduleDirectory);
