#pragma once

// Restricts the search for DLLs loaded later (the shell's delayed loads among them) to the
// system folder, so that a DLL planted beside the program is never loaded. False where the system
// lacks the function (Windows 7 without its 2011 loader update).
bool RestrictDllSearchToSystem();
