// Starts the real qvs_x64.exe (path in QVS_EXE) and drives it from outside.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring BuiltProgram() {
  wchar_t exe[MAX_PATH] = {};
  GetEnvironmentVariableW(L"QVS_EXE", exe, MAX_PATH);
  return exe;
}

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, path.rfind(L'\\') + 1);
}

class Program {
 public:
  explicit Program(const std::wstring& exe = BuiltProgram(), bool waitForDialog = true) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process);
    if (!started || !waitForDialog) return;
    WaitForInputIdle(process.hProcess, 10000);
    for (int tries = 0; tries < 100 && !dialog; ++tries) {
      EnumWindows(FindDialog, reinterpret_cast<LPARAM>(this));
      if (!dialog) Sleep(100);
    }
  }
  ~Program() {
    if (!started) return;
    // Ended before the next start, which would otherwise find it still running.
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process.hProcess, 99);
      WaitForSingleObject(process.hProcess, 10000);
    }
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

TEST(Program, ManifestAsksForLittleAndDeclaresWhatItCan) {
  const HMODULE program = LoadLibraryExW(BuiltProgram().c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr);
  const HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(found, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(program, found))),
                             SizeofResource(program, found));
  for (const char* part :
       {"level=\"asInvoker\"", "name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
        "<ws1:dpiAware>true</ws1:dpiAware>", "<ws2:longPathAware>true</ws2:longPathAware>",
        "xmlns:ws1=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\"",
        "xmlns:ws2=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\""})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  FreeLibrary(program);
}

// Whether the notification area holds the program's icon (id 201 of its dialog).
bool TrayIconShown(HWND dialog) {
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = dialog;
  icon.uID = 201;
  return Shell_NotifyIconW(NIM_MODIFY, &icon);
}

TEST(Program, BothExitCommandsSaveRemoveTheIconAndEndWithZero) {
  const std::wstring settings = FolderOf(BuiltProgram()) + L"settings.cfg";
  for (const WPARAM command : {MAKEWPARAM(1011, BN_CLICKED), WPARAM{32776}}) {
    DeleteFileW(settings.c_str());
    Program program;
    ASSERT_TRUE(program.started);
    ASSERT_NE(program.dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(program.dialog));
    for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 57664, 1010, 1011,
                   1016, 1012})
      EXPECT_NE(GetDlgItem(program.dialog, id), nullptr) << id;
    EXPECT_TRUE(TrayIconShown(program.dialog));

    PostMessageW(program.dialog, WM_COMMAND, command, 0);
    EXPECT_EQ(program.WaitForExit(), 0u) << command;
    EXPECT_NE(GetFileAttributesW(settings.c_str()), INVALID_FILE_ATTRIBUTES) << command;
    EXPECT_FALSE(TrayIconShown(program.dialog)) << command;
  }
}

// A second start from the same folder brings the running copy forward and writes nothing; a
// copy in another folder is a program of its own.
TEST(Program, OneProgramPerFolder) {
  const std::wstring settings = FolderOf(BuiltProgram()) + L"settings.cfg";
  DeleteFileW(settings.c_str());
  Program first;
  ASSERT_NE(first.dialog, nullptr);
  ShowWindow(first.dialog, SW_MINIMIZE);  // hides it without saving
  for (int tries = 0; tries < 50 && IsWindowVisible(first.dialog); ++tries) Sleep(100);
  ASSERT_FALSE(IsWindowVisible(first.dialog));

  Program second(BuiltProgram(), false);
  EXPECT_EQ(second.WaitForExit(), 0u);
  for (int tries = 0; tries < 50 && !IsWindowVisible(first.dialog); ++tries) Sleep(100);
  EXPECT_TRUE(IsWindowVisible(first.dialog));
  EXPECT_EQ(GetFileAttributesW(settings.c_str()), INVALID_FILE_ATTRIBUTES);

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring elsewhere = std::wstring(temp) + L"qvs-elsewhere\\";
  CreateDirectoryW(elsewhere.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(BuiltProgram().c_str(), (elsewhere + L"qvs_x64.exe").c_str(), FALSE));
  {
    Program other(elsewhere + L"qvs_x64.exe");
    ASSERT_NE(other.dialog, nullptr);
    EXPECT_NE(other.dialog, first.dialog);
    PostMessageW(other.dialog, WM_COMMAND, MAKEWPARAM(1011, BN_CLICKED), 0);
    EXPECT_EQ(other.WaitForExit(), 0u);
  }
  PostMessageW(first.dialog, WM_COMMAND, MAKEWPARAM(1011, BN_CLICKED), 0);
  EXPECT_EQ(first.WaitForExit(), 0u);
  DeleteFileW((elsewhere + L"settings.cfg").c_str());
  DeleteFileW((elsewhere + L"qvs_x64.exe").c_str());
  RemoveDirectoryW(elsewhere.c_str());
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
