// The message loop with message filters (keyboard navigation before dispatch) and idle
// handlers (work done once after each burst of messages).
#pragma once

#include <windows.h>

#include <vector>

class CMessageFilter {
 public:
  // True when the message was handled and must not be translated and dispatched.
  virtual BOOL PreTranslateMessage(MSG* msg) = 0;

 protected:
  ~CMessageFilter() = default;
};

class CIdleHandler {
 public:
  // The return value is not used: each handler runs once per idle period.
  virtual BOOL OnIdle() = 0;

 protected:
  ~CIdleHandler() = default;
};

class CMessageLoop {
 public:
  void AddMessageFilter(CMessageFilter* filter);
  bool RemoveMessageFilter(CMessageFilter* filter);
  void AddIdleHandler(CIdleHandler* handler);
  bool RemoveIdleHandler(CIdleHandler* handler);

  // Runs until WM_QUIT and returns its wParam.
  int Run();

  // Messages that arrive all the time without meaning that anything happened; they do not
  // start a new idle period.
  static bool IsIdleMessage(const MSG& msg);

 private:
  bool PreTranslateMessage(MSG* msg);
  void OnIdle();

  std::vector<CMessageFilter*> messageFilters;  // registration order
  std::vector<CIdleHandler*> idleHandlers;      // registration order
  MSG msg{};
};
