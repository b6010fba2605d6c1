// Starts the real qvs_x64.exe (path in QVS_EXE) and drives it from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Program {
 public:
  Program() {
    wchar_t exe[MAX_PATH] = {};
    GetEnvironmentVariableW(L"QVS_EXE", exe, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started = CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process);
    if (!started) return;
    WaitForInputIdle(process.hProcess, 10000);
    for (int tries = 0; tries < 100 && !dialog; ++tries) {
      EnumWindows(FindDialog, reinterpret_cast<LPARAM>(this));
      if (!dialog) Sleep(100);
    }
  }
  ~Program() {
    if (!started) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }

  // The exit code, or STILL_ACTIVE when it did not end within 10 s.
  DWORD WaitForExit() {
    WaitForSingleObject(process.hProcess, 10000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }

  bool started = false;
  PROCESS_INFORMATION process{};
  HWND dialog = nullptr;

 private:
  static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM self) {
    auto* program = reinterpret_cast<Program*>(self);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    wchar_t className[16] = {}, title[32] = {};
    GetClassNameW(hwnd, className, 16);
    GetWindowTextW(hwnd, title, 32);
    if (processId == program->process.dwProcessId && std::wstring(className) == L"#32770" &&
        std::wstring(title) == L"Quorvalestrane") {
      program->dialog = hwnd;
      return FALSE;
    }
    return TRUE;
  }
};

TEST(Program, ShowsTheSettingsDialogAndExitsWithZeroOnTheExitCommand) {
  Program program;
  ASSERT_TRUE(program.started);
  ASSERT_NE(program.dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(program.dialog));
  for (int id :
       {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 57664, 1010, 1011, 1016, 1012})
    EXPECT_NE(GetDlgItem(program.dialog, id), nullptr) << id;

  PostMessageW(program.dialog, WM_COMMAND, MAKEWPARAM(1011, BN_CLICKED), 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Program, ExitCodeIsTheQuitMessagesValue) {
  Program program;
  ASSERT_NE(program.dialog, nullptr);
  PostThreadMessageW(program.process.dwThreadId, WM_QUIT, 5, 0);
  EXPECT_EQ(program.WaitForExit(), 5u);
}

TEST(Program, StartsHiddenWhenItStartsWithWindows) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ | KEY_WRITE, &key),
            ERROR_SUCCESS);
  const wchar_t data[] = L"C:\\elsewhere\\other.exe";
  RegSetValueExW(key, L"Quorvalestrane", 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                 sizeof data);
  {
    Program program;
    ASSERT_NE(program.dialog, nullptr);
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(program.dialog));
    PostMessageW(program.dialog, WM_COMMAND, MAKEWPARAM(1011, BN_CLICKED), 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
  RegDeleteValueW(key, L"Quorvalestrane");
  RegCloseKey(key);
}

}  // namespace
