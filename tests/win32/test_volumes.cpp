#include "tests/win32/test_volumes.h"

#include <cwchar>
#include <string>

std::optional<std::int32_t> CTestVolumes::HotplugFlag(char16_t letter) const {
  const auto it = hotplug.find(letter);
  return it != hotplug.end() ? std::optional(it->second) : std::nullopt;
}

std::u16string CTestVolumes::VolumeLabel(char16_t letter) const {
  const auto it = labels.find(letter);
  return it != labels.end() ? it->second : CSystemVolumes::VolumeLabel(letter);
}

void RemoveProbeFile(wchar_t letter) {
  DeleteFileW((std::wstring(1, letter) + L":\\qv_probe.txt").c_str());
}

CProbeWatch::CProbeWatch(wchar_t letter) {
  std::swprintf(path, 16, L"%c:\\qv_probe.txt", letter);
  file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_ALWAYS, 0, nullptr);
}

CProbeWatch::~CProbeWatch() {
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

std::string CProbeWatch::Content() const {
  char buffer[64];
  DWORD read = 0;
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) return "<unreadable>";
  return std::string(buffer, read);
}

bool CProbeWatch::ExistsAfterClose() {
  CloseHandle(file);
  file = INVALID_HANDLE_VALUE;
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
