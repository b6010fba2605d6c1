#include "drives/system_volumes.h"

#include <shellapi.h>
#include <winioctl.h>

#include <cstddef>
#include <memory>

#include "drives/drive_discovery.h"

#include "framework/handle.h"
#include "framework/wide.h"

std::optional<std::int32_t> QueryHotplugFlag(wchar_t letter) {
  const wchar_t device[] = {L'\\', L'\\', L'.', L'\\', letter, L':', L'\0'};
  // Access 0: the handle only serves queries, so neither read rights nor elevation are needed.
  const UniqueFile volume(CreateFileW(device, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  if (!volume) return std::nullopt;

  STORAGE_HOTPLUG_INFO info{};
  DWORD returned = 0;
  if (!DeviceIoControl(volume.get(), IOCTL_STORAGE_GET_HOTPLUG_INFO, nullptr, 0, &info, sizeof info,
                       &returned, nullptr))
    return std::nullopt;
  return HotplugFlagOf(static_cast<std::uint8_t>(info.DeviceHotplug), QueryBusType(volume.get()));
}

std::optional<std::uint32_t> QueryBusType(HANDLE volume) {
  STORAGE_PROPERTY_QUERY query{};
  query.PropertyId = StorageDeviceProperty;
  query.QueryType = PropertyStandardQuery;
  // The descriptor's vendor and product strings follow it; room for them keeps the answer whole.
  union {
    STORAGE_DEVICE_DESCRIPTOR descriptor;
    BYTE bytes[1024];
  } answer{};
  DWORD returned = 0;
  const bool read = DeviceIoControl(volume, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query,
                                    &answer, sizeof answer, &returned, nullptr) ||
                    GetLastError() == ERROR_MORE_DATA;
  constexpr DWORD kThroughBusType =
      offsetof(STORAGE_DEVICE_DESCRIPTOR, BusType) + sizeof answer.descriptor.BusType;
  if (!read || returned < kThroughBusType) return std::nullopt;
  return static_cast<std::uint32_t>(answer.descriptor.BusType);
}

std::vector<std::u16string> ReadDriveRoots(const DriveStringsQuery& query) {
  std::vector<std::u16string> roots;
  DWORD size = query(0, nullptr);
  // A drive that appears between two calls needs more room: ask again with the size reported.
  for (int tries = 0; tries < 8 && size != 0; ++tries) {
    auto buffer = std::make_unique<wchar_t[]>(size + 1);
    const DWORD length = query(size, buffer.get());
    if (length == 0) return roots;
    if (length < size) {
      buffer[length] = L'\0';
      for (const wchar_t* root = buffer.get(); *root; root += wcslen(root) + 1)
        roots.push_back(FromWide(root));
      return roots;
    }
    size = length + 1;
  }
  return roots;
}

std::vector<std::u16string> CSystemVolumes::LogicalDriveRoots() const {
  return ReadDriveRoots(GetLogicalDriveStringsW);
}

std::uint32_t CSystemVolumes::DriveType(const std::u16string& root) const {
  return GetDriveTypeW(AsWide(root));
}

std::optional<std::int32_t> CSystemVolumes::HotplugFlag(char16_t letter) const {
  return QueryHotplugFlag(static_cast<wchar_t>(letter));
}

std::u16string CSystemVolumes::VolumeLabel(char16_t letter) const {
  wchar_t label[MAX_PATH] = {};
  if (!GetVolumeInformationW(AsWide(DriveRoot(letter)), label, MAX_PATH, nullptr, nullptr, nullptr,
                             nullptr, 0))
    return {};
  return FromWide(label);
}

std::int32_t SmallIconIndex(char16_t letter) {
  SHFILEINFOW info{};
  SHGetFileInfoW(AsWide(DriveRoot(letter)), 0, &info, sizeof info,
                 SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  return info.iIcon;
}
