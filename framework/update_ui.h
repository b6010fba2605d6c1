// The UI-update map: enabled states of child controls, applied only when they change.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

class CUpdateUI {
 public:
  // Elements are child windows of the registered containers, named by control id. They start
  // enabled, as the dialog templates create them.
  explicit CUpdateUI(std::initializer_list<int> childIds);

  // Marks the element pending only when its state changes.
  void UIEnable(int id, bool enable);
  // Where the focus goes when the element is disabled while it has it: to the control
  // `focusId` while that stays enabled.
  void UISetFocusOnDisable(int id, int focusId);
  void UIAddChildWindowContainer(HWND container);
  // Applies the pending states with EnableWindow and clears them. A control about to be disabled
  // first hands the focus on: to its focus control, or else to the next tab stop of its
  // container that stays enabled.
  void UIUpdateChildWindows();

 private:
  struct Element {
    int id;
    int focusId = 0;
    bool disabled = false;
    bool pending = false;
  };
  void MoveFocusOn(HWND container, HWND control, const Element& element) const;
  // Whether `control` is enabled once the pending states are applied.
  bool StaysEnabled(HWND control) const;

  std::vector<Element> elements;
  std::vector<HWND> containers;
  bool pending = false;
};
