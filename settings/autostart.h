#pragma once

#include <string>

// Whether the machine-wide Run key holds a well-formed "Quorvalestrane" string value, of any length
// up to the longest the program writes. The key is opened for reading only.
bool IsAutostartRegistered();

// Writes the value (the quoted path of moduleDirectory + "qvs_x64.exe") or deletes it. Silent:
// without write access to the key nothing happens.
void SetAutostart(const std::u16string& moduleDirectory, bool enable);
