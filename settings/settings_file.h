// The settings file on disk.
#pragma once

#include <string>

#include "settings/settings_format.h"

// Reads the file into `settings`. A missing or unreadable file leaves `settings` as it is.
void ReadSettingsFile(const std::u16string& path, Settings& settings);

// Writes the whole file to a temporary file beside it, then puts it in place in one step. When
// any step fails, the previous file stays as it was and the temporary file is removed. Returns
// whether the new file is in place; the program treats a failed save as silent.
bool WriteSettingsFile(const std::u16string& path, const Settings& settings);
