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
  void UIAddChildWindowContainer(HWND container);
  // Applies the pending states with EnableWindow and clears them. A control about to be disabled
  // first hands the focus on to the next control of its container.
  void UIUpdateChildWindows();

 private:
  struct Element {
    int id;
    bool disabled = false;
    bool pending = false;
  };
  std::vector<Element> elements;
  std::vector<HWND> containers;
  bool pending = false;
};
