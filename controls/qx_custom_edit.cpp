#include "controls/qx_custom_edit.h"

#include <richedit.h>

#include <cwctype>

#include "framework/wide.h"

QxCustomEdit::~QxCustomEdit() {
  if (const HWND edit = UnsubclassWindow(); edit && ::IsWindow(edit)) ::DestroyWindow(edit);
}

void QxCustomEdit::SetValue(std::int64_t newValue) {
  value = ClampNumber(newValue, Bounds());
  ShowValue();
}

std::int64_t QxCustomEdit::GetValue() {
  Commit(true);
  return value;
}

BOOL QxCustomEdit::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result, DWORD mapId) {
  if (mapId != 0) return FALSE;
  switch (message) {
    case WM_CHAR:
      result = OnChar(wParam, lParam);
      return TRUE;
    case WM_KEYDOWN:
      if (!OnKeyDown(wParam, lParam)) return FALSE;
      result = 0;
      return TRUE;
    case WM_KEYUP:
      if (wParam == VK_CONTROL) ctrlDown = false;
      return FALSE;
    case WM_SETFOCUS:
      result = DefWindowProc(message, wParam, lParam);
      DefWindowProc(EM_SETSEL, 0, -1);
      DefWindowProc(EM_SCROLLCARET, 0, 0);
      return TRUE;
    case WM_KILLFOCUS:
      Commit(true);
      Notify(QXEN_KILLFOCUS);
      return FALSE;
    case WM_PASTE:
      result = DefWindowProc(message, wParam, lParam);
      OnPaste();
      return TRUE;
    case WM_SETTEXT:
      result = OnSetText(wParam, lParam);
      return TRUE;
    case WM_MOUSEWHEEL:
      OnMouseWheel(wParam);
      return FALSE;
    case EM_SETSEL:
    case EM_EXSETSEL:
      // The dialog manager selects an edit's text before it gives it the focus; this control
      // selects its text itself once it has the focus.
      if (GetFocus() == hwnd) return FALSE;
      result = 0;
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT QxCustomEdit::OnChar(WPARAM ch, LPARAM lParam) {
  if (ch == VK_BACK) {
    const LRESULT result = DefWindowProc(WM_CHAR, ch, lParam);
    Notify(QXEN_CHANGE);
    return result;
  }
  if (ch == VK_RETURN) {
    Commit(true);
    Notify(QXEN_RETURN);
    return DefWindowProc(WM_CHAR, ch, lParam);
  }
  DWORD start = 0, end = 0;
  DefWindowProc(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  switch (ClassifyTypedChar(static_cast<char16_t>(ch), iswprint(static_cast<wint_t>(ch)) != 0,
                            allowNegative != FALSE, start, end, Text())) {
    case CharAction::PassOn:
      return DefWindowProc(WM_CHAR, ch, lParam);
    case CharAction::Beep:
      MessageBeep(MB_ICONEXCLAMATION);
      return 0;
    case CharAction::Accept:
      break;
  }
  const LRESULT result = DefWindowProc(WM_CHAR, ch, lParam);
  // Neither cleaned nor clamped: that waits for the next commit.
  value = ParseLeadingNumber(Text());
  Notify(QXEN_CHANGE);
  return result;
}

bool QxCustomEdit::OnKeyDown(WPARAM key, LPARAM lParam) {
  switch (key) {
    case VK_CONTROL:
      ctrlDown = true;
      return false;
    case VK_DELETE:
      DefWindowProc(WM_KEYDOWN, key, lParam);
      Notify(QXEN_CHANGE);
      return true;
    case VK_UP:
    case VK_DOWN:
      if (!steppingEnabled) return false;
      if (Step(key == VK_UP)) Notify(QXEN_CHANGE);
      return true;
    default:
      return false;
  }
}

void QxCustomEdit::OnMouseWheel(WPARAM wParam) {
  if (!steppingEnabled) return;
  const short delta = GET_WHEEL_DELTA_WPARAM(wParam);
  if (delta == 0) return;
  // One step per message, however far the wheel turned.
  if (Step(delta > 0)) {
    Notify(QXEN_CHANGE);
    Notify(QXEN_WHEEL);
  }
}

void QxCustomEdit::OnPaste() {
  const std::u16string cleaned = CleanNumberText(Text());
  Commit(true);
  DefWindowProc(EM_SETSEL, 0, static_cast<LPARAM>(cleaned.size()));
  DefWindowProc(EM_SCROLLCARET, 0, 0);
  Notify(QXEN_CHANGE);
}

LRESULT QxCustomEdit::OnSetText(WPARAM wParam, LPARAM lParam) {
  if (settingText) {
    settingText = false;
    return DefWindowProc(WM_SETTEXT, wParam, lParam);
  }
  const std::u16string cleaned =
      CleanNumberText(FromWide(reinterpret_cast<const wchar_t*>(lParam)));
  value = CommitNumberText(cleaned, Bounds());
  const LRESULT result =
      DefWindowProc(WM_SETTEXT, wParam, reinterpret_cast<LPARAM>(AsWide(cleaned)));
  Notify(QXEN_CHANGE);
  return result;
}

std::u16string QxCustomEdit::Text() const {
  return WindowText(hwnd);
}

void QxCustomEdit::ShowValue() {
  settingText = true;
  SetWindowTextW(hwnd, AsWide(FormatNumber(value)));
  // Not attached (or the text was refused): do not let the flag wave the next text through.
  settingText = false;
}

void QxCustomEdit::Commit(bool writeBack) {
  value = CommitNumberText(Text(), Bounds());
  if (writeBack) ShowValue();
}

bool QxCustomEdit::Step(bool up) {
  const std::int64_t step = ctrlDown ? largeStep : smallStep;
  const auto next = StepNumber(value, up ? step : -step, Bounds());
  if (!next) return false;
  value = *next;
  ShowValue();
  return true;
}

void QxCustomEdit::Notify(UINT code) {
  NMHDR header{hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd)), code};
  ::SendMessageW(::GetParent(hwnd), WM_NOTIFY, reinterpret_cast<WPARAM>(hwnd),
                 reinterpret_cast<LPARAM>(&header));
}
