// Every object of static storage duration, in one translation unit so that they are constructed
// in this order before the entry point and destroyed in reverse order after it returns.
#include "framework/module.h"
#include "localisation/lang_manager.h"
#include "tray/taskbar_created.h"

CBaseModule g_baseModule;
CWindowModule g_windowModule;
const UINT WM_TASKBARCREATED = RegisterWindowMessageW(L"TaskbarCreated");
CAppModule g_appModule;
// Last: the main dialog relies on a usable manager from its first message on.
CLangManager g_langManager;
