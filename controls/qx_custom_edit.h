// A bounded whole-number field on an existing edit control: filters typed characters, cleans
// pasted and assigned text, steps with the arrow keys and the wheel, and rewrites its text as the
// clamped number when it commits.
#pragma once

#include <windows.h>

#include <cstdint>
#include <limits>
#include <string>

#include "controls/numeric_text.h"
#include "framework/window_impl.h"

// WM_NOTIFY codes sent to the parent; wParam is the control's window handle.
constexpr UINT QXEN_CHANGE = 1;
constexpr UINT QXEN_KILLFOCUS = 2;
constexpr UINT QXEN_RETURN = 3;
constexpr UINT QXEN_WHEEL = 4;

class QxCustomEdit : public CWindowImpl {
 public:
  ~QxCustomEdit() override;

  // Subclasses an existing edit control.
  bool Attach(HWND edit) { return SubclassWindow(edit); }

  // Clamps and shows the value; sends no notification.
  void SetValue(std::int64_t newValue);
  // Commits the current text (rewriting it as the clamped number) and returns the value.
  std::int64_t GetValue();

  BOOL ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            DWORD mapId = 0) override;

  std::int64_t value = 0;
  std::int64_t smallStep = 1;
  std::int64_t largeStep = 5;
  std::int64_t minimum = std::numeric_limits<std::int64_t>::min();
  std::int64_t maximum = std::numeric_limits<std::int64_t>::max();
  BOOL allowNegative = TRUE;
  BOOL steppingEnabled = FALSE;
  bool settingText = false;  // the next WM_SETTEXT is the control's own
  bool ctrlDown = false;

 private:
  LRESULT OnChar(WPARAM ch, LPARAM lParam);
  bool OnKeyDown(WPARAM key, LPARAM lParam);  // true when the key is swallowed
  void OnMouseWheel(WPARAM wParam);
  void OnPaste();
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

  NumberBounds Bounds() const { return {minimum, maximum, allowNegative != FALSE}; }
  std::u16string Text() const;
  void ShowValue();
  void Commit(bool writeBack);
  bool Step(bool up);
  void Notify(UINT code);
};
