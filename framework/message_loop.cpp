#include "framework/message_loop.h"

#include <algorithm>

namespace {

template <typename T>
bool RemoveOne(std::vector<T*>& list, T* item) {
  const auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

}  // namespace

void CMessageLoop::AddMessageFilter(CMessageFilter* filter) {
  messageFilters.push_back(filter);
}

bool CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) {
  return RemoveOne(messageFilters, filter);
}

void CMessageLoop::AddIdleHandler(CIdleHandler* handler) {
  idleHandlers.push_back(handler);
}

bool CMessageLoop::RemoveIdleHandler(CIdleHandler* handler) {
  return RemoveOne(idleHandlers, handler);
}

int CMessageLoop::Run() {
  bool doIdle = true;
  for (;;) {
    while (doIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      OnIdle();
      doIdle = false;
    }

    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) continue;  // nothing to report; try again
    if (!got) break;          // WM_QUIT

    if (!PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (!IsIdleMessage(msg)) doIdle = true;
  }
  return static_cast<int>(msg.wParam);
}

bool CMessageLoop::IsIdleMessage(const MSG& msg) {
  switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case 0x0118:  // WM_SYSTIMER: the system's caret blink timer
      return true;
    default:
      return false;
  }
}

bool CMessageLoop::PreTranslateMessage(MSG* message) {
  // Most recently registered first. A filter may unregister itself (a dialog destroyed by the
  // key it handles), so the index is checked against the current size on every step.
  for (std::size_t i = messageFilters.size(); i-- > 0;) {
    if (i < messageFilters.size() && messageFilters[i]->PreTranslateMessage(message)) return true;
  }
  return false;
}

void CMessageLoop::OnIdle() {
  for (std::size_t i = 0; i < idleHandlers.size(); ++i) idleHandlers[i]->OnIdle();
}
