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
      if (const HWND control = GetDlgItem(container, element.id))
        EnableWindow(control, !element.disabled);
    }
    element.pending = false;
  }
  pending = false;
}
