#pragma once

#include <windows.h>

// Creates "X:\qv_probe.txt", writes the 14 bytes "Quorvalestrane" through to the device,
// closes and deletes it. Silent: a drive whose file can't be created is left alone.
void ProbeDrive(wchar_t letter);
