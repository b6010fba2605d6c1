// Start-up until the tray icon is added, and the working set after start, of the program against
// the minimal tray program; and the program's CPU time while idle.
// Usage: process_bench PROGRAM MINIMAL IDLE_SECONDS
#include "bench/bench_util.h"

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The process's dialog once its tray icon (id 201) is in the notification area.
HWND IconAdded(DWORD processId) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, L"#32770", nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != processId) continue;
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 201;
    if (Shell_NotifyIconW(NIM_MODIFY, &icon)) return window;
  }
  return nullptr;
}

struct Run {
  double startup = 0;
  double workingSetKiB = 0;
  double idleMs = 0;
};

Run Measure(const std::wstring& program, int idleSeconds) {
  Run run;
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = Now();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return run;
  HWND dialog = nullptr;
  while (!(dialog = IconAdded(process.dwProcessId)) && Now() - start < 30) Sleep(5);
  run.startup = Now() - start;
  Sleep(1000);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  run.workingSetKiB = static_cast<double>(memory.WorkingSetSize) / 1024.0;
  if (idleSeconds > 0) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user);
    const auto total = [&] {
      return (ULARGE_INTEGER{{kernel.dwLowDateTime, kernel.dwHighDateTime}}.QuadPart +
              ULARGE_INTEGER{{user.dwLowDateTime, user.dwHighDateTime}}.QuadPart) /
             10000.0;
    };
    const double before = total();
    Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user);
    // A start costs CPU time: none at all means the times cannot be read here.
    run.idleMs = before > 0 ? total() - before : -1;
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  std::vector<double> startup[2], memory[2];
  for (int round = 0; round < 5; ++round) {
    for (int which = 0; which < 2; ++which) {
      const Run run = Measure(argv[1 + which], 0);
      startup[which].push_back(run.startup);
      memory[which].push_back(run.workingSetKiB);
    }
  }
  printf(
      "start-up until the tray icon: %.0f ms, minimal program %.0f ms, ratio %.2f (target <= "
      "1.3)\n",
      Median(startup[0]) * 1000, Median(startup[1]) * 1000,
      Median(startup[0]) / Median(startup[1]));
  printf(
      "working set after start: %.0f KiB, minimal program %.0f KiB, ratio %.2f (target <= 1.2)\n",
      Median(memory[0]), Median(memory[1]), Median(memory[0]) / Median(memory[1]));
  const int idle = _wtoi(argv[3]);
  const Run idleRun = Measure(argv[1], idle);
  if (idleRun.idleMs < 0)
    printf("idle CPU over %d s: not measurable, no CPU times for the process (target <= 20 ms)\n",
           idle);
  else
    printf("idle CPU over %d s: %.0f ms (target <= 20 ms)\n", idle, idleRun.idleMs);
  return 0;
}
