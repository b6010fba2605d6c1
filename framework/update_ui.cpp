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
      // A disabled control that keeps the focus leaves the dialog with none: Esc, Enter and Tab
      // would do nothing until the user clicks. Move it on first.
      if (element.disabled && GetFocus() == control)
        SendMessageW(container, WM_NEXTDLGCTL, 0, FALSE);
      EnableWindow(control, !element.disabled);
    }
    element.pending = false;
  }
  pending = false;
}
