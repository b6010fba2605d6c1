// The framework's process-wide modules. The program defines one of each, in this order, before
// anything else of static storage duration (app/globals.cpp).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/critical_section.h"

class CMessageLoop;

// The module's instance and the instance its resources come from.
class CBaseModule {
 public:
  CBaseModule();
  HINSTANCE Instance() const { return instance; }
  HINSTANCE ResourceInstance() const { return resourceInstance; }

 private:
  HINSTANCE instance;
  HINSTANCE resourceInstance;
  CCriticalSection lock;
};

// Pending creation records: a window object registers itself just before it creates its window,
// and the window procedure claims the record on the window's first message to bind the two.
class CWindowModule {
 public:
  void AddCreateWndData(void* object);
  // Takes the current thread's most recent record, or null when there is none.
  void* ExtractCreateWndData();
  // Drops `object`'s record if creation failed before any message claimed it.
  void RemoveCreateWndData(void* object);

 private:
  CCriticalSection lock;
  std::vector<std::pair<DWORD, void*>> pending;  // thread id, object
};

// The application: main thread and the table from thread id to message loop.
class CAppModule {
 public:
  // Records the main thread and creates the empty loop table.
  HRESULT Init(HINSTANCE instance);
  // Frees the loop table.
  void Term();

  bool AddMessageLoop(CMessageLoop* loop);
  bool RemoveMessageLoop();
  CMessageLoop* GetMessageLoop(DWORD threadId = ::GetCurrentThreadId());

 private:
  CCriticalSection lock;
  DWORD mainThreadId = 0;
  std::unique_ptr<std::map<DWORD, CMessageLoop*>> loops;
};

// The executable's full path, however long.
std::u16string ModuleFileName();

extern CBaseModule g_baseModule;
extern CWindowModule g_windowModule;
extern CAppModule g_appModule;
