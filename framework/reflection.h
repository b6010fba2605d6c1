// Reflection of control notifications: a message that a child control sent to its parent goes
// back to that control as the message number + 0x2000 (OCM_BASE), so that the control can handle
// what it caused.
#pragma once

#include <windows.h>

constexpr UINT OCM_BASE_MESSAGE = 0x2000;

// The control that sent a notification to `parent`, or null when the message is none.
HWND NotifyingControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);

// Sends the message back to its control. False, with `result` untouched, when there is none.
bool ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
