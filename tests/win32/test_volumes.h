// The machine's real drives and types (the test prefix maps O:, P:, Q: as fixed disks, R: as a
// CD-ROM and S: as a floppy), with hot-plug answers the test decides, since Wine answers none.
#pragma once

#include <map>

#include "drives/system_volumes.h"

class CTestVolumes : public CSystemVolumes {
 public:
  std::map<char16_t, std::int32_t> hotplug;   // letters whose query succeeds
  std::map<char16_t, std::u16string> labels;  // labels instead of the real ones

  std::optional<std::int32_t> HotplugFlag(char16_t letter) const override;
  std::u16string VolumeLabel(char16_t letter) const override;
};

// Deletes P:\qv_probe.txt and the like, so that each test starts from an empty drive root.
void RemoveProbeFile(wchar_t letter);

// Opens the probe file's path before a probe, sharing read, write and delete, so that the
// probe's own file can be read back after the probe has deleted it.
class CProbeWatch {
 public:
  explicit CProbeWatch(wchar_t letter);
  ~CProbeWatch();
  // What the file holds now (read from the watch handle).
  std::string Content() const;
  // Whether the path still names a file once the watch handle is closed.
  bool ExistsAfterClose();

 private:
  wchar_t path[16];
  HANDLE file;
};
