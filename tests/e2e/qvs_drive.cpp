// Drives the running program from outside for the end-to-end scenarios, one action per call:
//   wait shown|hidden|gone [SECONDS]   the main dialog's state; exit code 1 when it never comes
//   click ID                           presses a button or toggles a check box
//   command ID [CODE]                  posts WM_COMMAND to the dialog
//   tray EVENT                         posts the tray callback for icon 201 with a mouse event
//   text ID | checked ID               prints a control's text (UTF-8) or check state
//   settext ID TEXT                    sets a control's text
//   language NAME                      chooses a language as the combo box would
//   answer OK|CANCEL                   answers the dialog's message box
//   hwnd                               prints the dialog's handle
//   icon [HWND]                        prints 1 while the tray icon of that dialog is shown
//   escape                             closes an open menu or box with Escape
//   desktop                            holds Wine's desktop open until the process is ended
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The main dialog: an unowned "#32770" window titled "Quorvalestrane" with the Hide button.
HWND FindDialog() {
  HWND found = nullptr;
  while ((found = FindWindowExW(nullptr, found, L"#32770", L"Quorvalestrane"))) {
    if (!GetWindow(found, GW_OWNER) && GetDlgItem(found, 1016)) return found;
  }
  return nullptr;
}

// A box or dialog the main dialog owns, such as the confirmation box.
HWND FindOwned(HWND dialog) {
  HWND found = nullptr;
  while ((found = FindWindowExW(nullptr, found, L"#32770", nullptr))) {
    if (GetWindow(found, GW_OWNER) == dialog && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

std::string Utf8(const std::wstring& text) {
  std::string out(text.size() * 3 + 1, '\0');
  out.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  if (!out.empty()) out.pop_back();
  return out;
}

std::wstring Text(HWND window) {
  wchar_t text[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      5000, nullptr);
  return text;
}

int Wait(const std::wstring& state, int seconds) {
  for (int tries = 0; tries < seconds * 10; ++tries) {
    const HWND dialog = FindDialog();
    const bool ok = state == L"gone"     ? !dialog
                    : state == L"shown"  ? dialog && IsWindowVisible(dialog)
                    : state == L"hidden" ? dialog && !IsWindowVisible(dialog)
                                         : dialog != nullptr;
    if (ok) return 0;
    Sleep(100);
  }
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring action = argv[1];
  const auto arg = [&](int i) { return i < argc ? std::wstring(argv[i]) : std::wstring(); };
  const auto number = [&](int i) { return static_cast<int>(wcstol(arg(i).c_str(), nullptr, 0)); };
  if (action == L"wait") return Wait(arg(2), argc > 3 ? number(3) : 20);
  if (action == L"desktop") {
    // A program that uses the desktop keeps it open.
    GetDesktopWindow();
    Sleep(INFINITE);
  }
  if (action == L"short") {
    wchar_t path[MAX_PATH] = {};
    if (!GetShortPathNameW(arg(2).c_str(), path, MAX_PATH)) return 1;
    printf("%ls\n", path);
    return 0;
  }
  if (action == L"icon") {
    // Also after the program has ended, for the handle its dialog had.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = argc > 2 ? reinterpret_cast<HWND>(static_cast<INT_PTR>(number(2))) : FindDialog();
    icon.uID = 201;
    printf("%d\n", icon.hWnd && Shell_NotifyIconW(NIM_MODIFY, &icon) ? 1 : 0);
    return 0;
  }

  const HWND dialog = FindDialog();
  if (!dialog) {
    fprintf(stderr, "no dialog\n");
    return 1;
  }
  const HWND control = GetDlgItem(dialog, number(2));
  if (action == L"click") {
    SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  } else if (action == L"command") {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(number(2), number(3)), 0);
  } else if (action == L"tray") {
    PostMessageW(dialog, WM_USER + 100, 201, number(2));
  } else if (action == L"text") {
    printf("%s\n", Utf8(number(2) ? Text(control) : Text(dialog)).c_str());
  } else if (action == L"checked") {
    printf("%d\n", static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)));
  } else if (action == L"settext") {
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]), SMTO_ABORTIFHUNG,
                        5000, nullptr);
  } else if (action == L"language") {
    const HWND combo = GetDlgItem(dialog, 1010);
    SendMessageTimeoutW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(argv[2]), SMTO_ABORTIFHUNG, 5000, nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(1010, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  } else if (action == L"answer") {
    HWND box = nullptr;
    for (int tries = 0; tries < 100 && !(box = FindOwned(dialog)); ++tries) Sleep(100);
    if (!box) return 1;
    PostMessageW(box, WM_COMMAND, arg(2) == L"OK" ? IDOK : IDCANCEL, 0);
  } else if (action == L"hwnd") {
    printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(dialog)));
  } else if (action == L"escape") {
    HWND target = FindWindowW(L"#32768", nullptr);
    if (!target || !IsWindowVisible(target)) target = FindOwned(dialog);
    if (!target) return 1;
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
  } else {
    return 2;
  }
  return 0;
}
