// The wake tick against the bare system calls for the same drives, and the heap allocations of a
// tick. Usage: wake_bench LETTERS (the drives to probe, for example KLMN).
#include "bench/bench_util.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/main_dlg.h"
#include "drives/system_volumes.h"

namespace {
long allocations = 0;
}

// Every heap allocation of the program's code goes through malloc, operator new of the static C++
// runtime included, and the link wraps malloc (-Wl,--wrap=malloc) to count them.
extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __wrap_malloc(std::size_t size) {
  ++allocations;
  return __real_malloc(size);
}

namespace {

// What a tick must do at the least: the same calls on the same paths.
void BareProbes(const std::wstring& letters) {
  for (wchar_t letter : letters) {
    const wchar_t path[] = {letter, L':', L'\\', L'q', L'v', L'_', L'p', L'r',
                            L'o',   L'b', L'e',  L'.', L't', L'x', L't', L'\0'};
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD written = 0;
    WriteFile(file, "Quorvalestrane", 14, &written, nullptr);
    CloseHandle(file);
    DeleteFileW(path);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring letters = argv[1];
  const CSystemVolumes volumes;
  CMainDlg dialog(volumes);
  if (!dialog.Create(nullptr)) return 1;
  dialog.wakeMode = WakeAllDrives;
  dialog.availableDrives.clear();
  for (wchar_t letter : letters) dialog.availableDrives[static_cast<char16_t>(letter)] = 0;

  constexpr int kTicks = 50;
  std::vector<double> ticks, bare;
  for (int round = 0; round < 15; ++round) {
    double start = Now();
    for (int i = 0; i < kTicks; ++i) dialog.OnWakeTimer(IDT_WAKE);
    ticks.push_back((Now() - start) / kTicks);
    start = Now();
    for (int i = 0; i < kTicks; ++i) BareProbes(letters);
    bare.push_back((Now() - start) / kTicks);
  }
  // The counter itself: a list of the drives built anew allocates.
  const long unwrapped = allocations;
  if (DrivesToWake(WakeAllDrives, dialog.availableDrives, {}).empty() || allocations == unwrapped)
    printf("heap allocations are not counted: is malloc wrapped?\n");
  const long before = allocations;
  for (int i = 0; i < kTicks; ++i) dialog.OnWakeTimer(IDT_WAKE);
  const double perTick = static_cast<double>(allocations - before) / kTicks;
  dialog.DestroyWindow();

  printf("wake tick over %zu drives: %.1f us, bare calls %.1f us, ratio %.3f (target <= 1.15)\n",
         letters.size(), Median(ticks) * 1e6, Median(bare) * 1e6, Median(ticks) / Median(bare));
  printf("heap allocations per tick: %.2f (target 0, at most 1)\n", perTick);
  return 0;
}
