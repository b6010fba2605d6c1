#include "framework/update_ui.h"

CUpdateUI::CUpdateUI(std::initializer_list<int> childIds) {
  for (int id : childIds) elements.push_back({id});
}

void CUpdateUI::UIEnable(int id, bool enable) {
  for (Element& element : elements) {
    if (element.id != id) continue;
    if (element.disabled == enable) {
      element.disabled = !enable;
      element.pending = true;
      pending = true;
    }
    return;
  }
}

void CUpdateUI::UISetFocusOnDisable(int id, int focusId) {
  for (Element& element : elements)
    if (element.id == id) element.focusId = focusId;
}

void CUpdateUI::UIAddChildWindowContainer(HWND container) {
  containers.push_back(container);
}

void CUpdateUI::UIUpdateChildWindows() {
  if (!pending) return;
  for (Element& element : elements) {
    if (!element.pending) continue;
    for (HWND container : containers) {
      const HWND control = GetDlgItem(container, element.id);
      if (!control) continue;
      if (element.disabled && GetFocus() == control) MoveFocusOn(container, control, element);
      EnableWindow(control, !element.disabled);
    }
    element.pending = false;
  }
  pending = false;
}

// A disabled control that keeps the focus leaves the dialog with none: Esc, Enter and Tab would
// do nothing until the user clicks. And a push button that gets the focus becomes the default
// button, which Enter then presses: the focus never lands on a control this pass disables.
void CUpdateUI::MoveFocusOn(HWND container, HWND control, const Element& element) const {
  HWND target = element.focusId ? GetDlgItem(container, element.focusId) : nullptr;
  int steps = 0;
  if (target && !StaysEnabled(target)) target = nullptr;
  // Bounded: the walk ends back at `control` only if that is a tab stop itself.
  for (HWND next = control; !target && next;) {
    next = GetNextDlgTabItem(container, next, FALSE);
    if (next == control || ++steps > 64) break;
    if (next && StaysEnabled(next)) target = next;
  }
  if (target)
    SendMessageW(container, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
  else
    SendMessageW(container, WM_NEXTDLGCTL, 0, FALSE);
}

bool CUpdateUI::StaysEnabled(HWND control) const {
  const int id = GetDlgCtrlID(control);
  for (const Element& element : elements)
    if (element.id == id) return !element.disabled;
  return IsWindowEnabled(control);
}
