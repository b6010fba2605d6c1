#include "settings/settings_file.h"

#include <windows.h>

#include "framework/handle.h"
#include "framework/wide.h"

namespace {

// The longest plausible file: 26 drives and a 254-unit name, every byte stored as 0D 0A.
// Anything beyond it is trailing data that the decoder would ignore anyway.
constexpr DWORD kMaxStoredBytes = 2 * (20 + 6 * kMaxDriveCount + 2 * kMaxLanguageNameLength);

bool WriteAll(HANDLE file, const Bytes& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

void ReadSettingsFile(const std::u16string& path, Settings& settings) {
  // Binary read: the 0D 0A pairs are undone by FromTextMode, and 0x1A stays data.
  const UniqueFile file(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  Bytes stored(kMaxStoredBytes);
  DWORD read = 0;
  if (!ReadFile(file.get(), stored.data(), kMaxStoredBytes, &read, nullptr)) return;
  stored.resize(read);
  DecodeSettings(FromTextMode(stored), settings);
}

bool WriteSettingsFile(const std::u16string& path, const Settings& settings) {
  const std::u16string temporary = TemporaryPathFor(path);
  bool written = false;
  {
    UniqueFile file(CreateFileW(AsWide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    // Still written in the text-mode form, so that files stay readable by the old rule.
    written =
        WriteAll(file.get(), ToTextMode(EncodeSettings(settings))) && FlushFileBuffers(file.get());
    written = CloseHandle(file.release()) && written;
  }
  if (!written) {
    DeleteFileW(AsWide(temporary));
    return false;
  }
  if (!MoveFileExW(AsWide(temporary), AsWide(path),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(AsWide(temporary));
    return false;
  }
  return true;
}
