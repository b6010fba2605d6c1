// Shows the real dialogs and the tray menu in a given state for a screenshot, then waits to be
// ended. Drives come from the volume seam (C: internal, Z: hot-pluggable), since no drive answers
// the hot-plug query under Wine and the real program would list none.
//   qvs_screens dialog|picker|about|menu LANGUAGE READY_FILE
// READY_FILE is written once the state is on the screen.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "app/main_dlg.h"
#include "framework/module.h"
#include "tests/win32/test_volumes.h"

namespace {

std::wstring mode, readyFile;
CMainDlg* dialog = nullptr;
int step = 0;

void Ready() {
  if (FILE* file = _wfopen(readyFile.c_str(), L"w")) fclose(file);
}

// One step every 700 ms, so that each state has been drawn before the next.
void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) {
  const HWND window = dialog->Handle();
  ++step;
  if (mode == L"dialog" && step == 1) Ready();
  if (mode == L"about" && step == 1) PostMessageW(window, WM_COMMAND, IDC_ABOUT, 0);
  if (mode == L"picker" && step == 1) PostMessageW(window, WM_COMMAND, IDC_ADD, 0);
  if (mode == L"picker" && step == 2)
    SendDlgItemMessageW(GetActiveWindow(), 1004, LB_SETSEL, TRUE, 0);
  if ((mode == L"about" || mode == L"picker") && step == 3) Ready();
  // The cursor first, and the right-click a step later, once the desktop has moved it.
  if (mode == L"menu" && step == 1) SetCursorPos(300, 120);
  if (mode == L"menu" && step == 2) PostMessageW(window, WM_TRAYNOTIFY, 201, WM_RBUTTONUP);
  if (mode == L"menu" && step == 3) {
    // Hovering the drive submenu's item opens it, as the mouse would.
    RECT item{};
    GetMenuItemRect(nullptr, GetSubMenu(dialog->trayMenu.get(), 0), 3, &item);
    SetCursorPos((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    mouse_event(MOUSEEVENTF_MOVE, 1, 0, 0, 0);
  }
  if (mode == L"menu" && step == 5) Ready();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  mode = argv[1];
  readyFile = argv[3];
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  g_appModule.Init(GetModuleHandleW(nullptr));
  CMessageLoop loop;
  g_appModule.AddMessageLoop(&loop);
  CTestVolumes volumes;
  volumes.hotplug = {{u'C', 0}, {u'Z', 1}};
  CMainDlg main(volumes);
  dialog = &main;
  if (!main.Create(nullptr)) return 1;
  const HWND combo = main.GetDlgItem(IDC_LANGUAGE);
  ::SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(argv[2]));
  main.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
  // Mode 3 as a click chooses it, with both drives chosen as the picker would add them: the
  // list, the menu and the balloon show them.
  main.ShowWindow(SW_SHOW);
  ::SendMessageW(main.GetDlgItem(IDC_MODE_LIST), BM_CLICK, 0, 0);
  main.chosenDrives = main.availableDrives;
  main.FillChosenList();
  main.RebuildTrayMenu();
  SetTimer(nullptr, 0, 700, Step);
  loop.Run();
  return 0;
}
