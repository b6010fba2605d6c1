#include "drives/probe.h"

void ProbeDrive(wchar_t letter) {
  const wchar_t path[] = {letter, L':', L'\\', L'q', L'v', L'_', L'p', L'r',
                          L'o',   L'b', L'e',  L'.', L't', L'x', L't', L'\0'};
  // Write-through: a write that stays in the system's cache may never touch the disk, and
  // touching the disk is the point.
  const HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // read-only, full, locked or vanished drive

  static constexpr char kContent[] = "Quorvalestrane";
  DWORD written = 0;
  // The results of the write, close and delete decide nothing: the next tick tries again.
  WriteFile(file, kContent, sizeof kContent - 1, &written, nullptr);
  CloseHandle(file);
  DeleteFileW(path);
}
