// The languages found beside the program, the string table of the selected one, and the
// translation of windows and menus whose texts are string ids.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "localisation/language_file.h"
#include "localisation/string_table.h"

class CLangManager : public IStringTable {
 public:
  CLangManager() = default;
  ~CLangManager();
  CLangManager(const CLangManager&) = delete;
  CLangManager& operator=(const CLangManager&) = delete;

  // The folder searched for language files; it ends in a backslash.
  void SetLanguageFolder(const std::u16string& folder) { languageFolder = folder; }

  // Rebuilds the language list from the folder. False when the search stopped at a file whose
  // header failed; the languages recorded before it stay.
  bool ScanLanguages();
  // Checks one file's header lines and records its language.
  bool ReadLanguageHeader(const std::u16string& fileName);
  // Visits the language names in ascending order.
  void ForEachLanguage(const std::function<void(const std::u16string&)>& visitor) const;
  // Loads the language of exactly this name; an unknown name changes nothing.
  bool SelectLanguage(const std::u16string& name);
  // Replaces the string table with one file's entries (empty when the file fails).
  bool LoadLanguageFile(const std::u16string& fileName);

  std::u16string GetText(std::uint32_t id) const override;

  // Registers the window and its direct children whose texts carry string ids, then gives every
  // registered window that still exists the text of its id. A registered window leaves the
  // registry when it is destroyed, before the system can give its handle to another window.
  void TranslateWindow(HWND window);
  // The number of registered windows.
  std::size_t RegisteredWindowCount() const;
  // Registers the items of the menu and all its submenus whose texts carry string ids, then gives
  // every registered item that still exists the text of its id.
  void TranslateMenu(HMENU menu);

 private:
  // The whole file, or with `headerOnly` as much of it as its two header lines can take.
  bool ReadFileBytes(const std::u16string& fileName, std::string& bytes, bool headerOnly) const;
  void RegisterWindow(HWND window);
  void ForgetWindow(HWND window);
  static LRESULT CALLBACK ForgetOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);
  void RegisterMenu(HMENU menu);

  std::map<std::u16string, std::u16string> languages;  // language name -> file name
  std::map<std::uint32_t, std::vector<HWND>> windowIds;
  std::map<std::uint32_t, std::pair<HMENU, int>> menuItems;  // id -> menu, position
  StringTable texts;
  std::u16string languageMask = u"*.lng";
  std::u16string languageFolder = u".\\";
};

// The one localisation manager; it exists before the entry point and until process exit.
extern CLangManager g_langManager;
