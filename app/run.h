#pragma once

#include <windows.h>

// Creates the main dialog, shows it (or leaves it hidden when the program starts with Windows)
// and runs the message loop. Returns the loop's exit code, or 0 when the dialog could not be
// created.
int Run(LPWSTR commandLine, int showCommand);
