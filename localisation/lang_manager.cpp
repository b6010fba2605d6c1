#include "localisation/lang_manager.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/handle.h"
#include "framework/window.h"
#include "framework/wide.h"

namespace {

// Language files are a few kilobytes; anything far larger is not one to load.
constexpr LONGLONG kMaxLanguageFileBytes = 16 << 20;
// Enough for the two header lines: two reads of 254 units, at most 3 bytes each, and a mark.
constexpr LONGLONG kHeaderBytes = 4096;

std::u16string MenuText(HMENU menu, int position) {
  const int length = GetMenuStringW(menu, position, nullptr, 0, MF_BYPOSITION);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetMenuStringW(menu, position, reinterpret_cast<wchar_t*>(text.data()),
                                    length + 1, MF_BYPOSITION);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

// An edit's text is data, not an id: the interval edit must never show the text of the id that
// equals its number.
bool IsEdit(HWND window) {
  wchar_t className[8] = {};
  return GetClassNameW(window, className, 8) && lstrcmpiW(className, L"Edit") == 0;
}

}  // namespace

bool CLangManager::ScanLanguages() {
  languages.clear();
  const std::u16string pattern = languageFolder + languageMask;
  if (pattern.size() >= MAX_PATH) return true;  // such a search finds nothing

  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(AsWide(pattern), &found);
  if (search == INVALID_HANDLE_VALUE) return true;
  bool complete = true;
  do {
    if (!ReadLanguageHeader(FromWide(found.cFileName))) {
      complete = false;
      break;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return complete;
}

bool CLangManager::ReadFileBytes(const std::u16string& fileName, std::string& bytes,
                                 bool headerOnly) const {
  // A directory does not open as a file, so a folder named "x.lng" fails here.
  const UniqueFile file(CreateFileW(AsWide(languageFolder + fileName), GENERIC_READ,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size)) return false;
  // The header is read from any file, however large; only a whole file has a limit.
  if (headerOnly)
    size.QuadPart = std::min(size.QuadPart, kHeaderBytes);
  else if (size.QuadPart > kMaxLanguageFileBytes)
    return false;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return false;
  bytes.resize(read);
  return true;
}

bool CLangManager::ReadLanguageHeader(const std::u16string& fileName) {
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes, true)) return false;
  const LanguageFile file = ParseLanguageFile(bytes, true);
  if (!file.valid) return false;
  languages[file.languageName] = fileName;  // a later file of the same name wins
  return true;
}

void CLangManager::ForEachLanguage(
    const std::function<void(const std::u16string&)>& visitor) const {
  for (const auto& [name, fileName] : languages) visitor(name);
}

bool CLangManager::SelectLanguage(const std::u16string& name) {
  const auto it = languages.find(name);
  if (it == languages.end()) return false;
  return LoadLanguageFile(it->second);
}

bool CLangManager::LoadLanguageFile(const std::u16string& fileName) {
  texts.clear();
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes, false)) return false;
  LanguageFile file = ParseLanguageFile(bytes);
  if (!file.valid) return false;
  texts = std::move(file.texts);
  return true;
}

std::u16string CLangManager::GetText(std::uint32_t id) const {
  const auto it = texts.find(id);
  return it != texts.end() ? it->second : std::u16string();
}

void CLangManager::RegisterWindow(HWND window) {
  if (IsEdit(window)) return;
  const std::uint32_t id = ParseStringId(WindowText(window));
  if (!id) return;
  std::vector<HWND>& windows = windowIds[id];
  if (std::find(windows.begin(), windows.end(), window) != windows.end()) return;
  if (!SetWindowSubclass(window, ForgetOnDestroy, 0, reinterpret_cast<DWORD_PTR>(this))) return;
  windows.push_back(window);
}

CLangManager::~CLangManager() {
  for (const auto& [id, windows] : windowIds) {
    for (HWND window : windows) RemoveWindowSubclass(window, ForgetOnDestroy, 0);
  }
}

void CLangManager::ForgetWindow(HWND window) {
  for (auto it = windowIds.begin(); it != windowIds.end();) {
    std::erase(it->second, window);
    it = it->second.empty() ? windowIds.erase(it) : std::next(it);
  }
}

LRESULT CALLBACK CLangManager::ForgetOnDestroy(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    reinterpret_cast<CLangManager*>(self)->ForgetWindow(window);
    RemoveWindowSubclass(window, ForgetOnDestroy, 0);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

std::size_t CLangManager::RegisteredWindowCount() const {
  std::size_t count = 0;
  for (const auto& [id, windows] : windowIds) count += windows.size();
  return count;
}

void CLangManager::TranslateWindow(HWND window) {
  if (!window || !IsWindow(window)) return;
  RegisterWindow(window);
  for (HWND child = GetWindow(window, GW_CHILD); child && IsWindow(child);
       child = GetWindow(child, GW_HWNDNEXT))
    RegisterWindow(child);

  for (const auto& [id, windows] : windowIds) {
    const auto text = texts.find(id);
    if (text == texts.end()) continue;
    for (HWND registered : windows) {
      if (IsWindow(registered)) SetWindowTextW(registered, AsWide(text->second));
    }
  }
  UpdateWindow(window);
}

void CLangManager::RegisterMenu(HMENU menu) {
  if (!menu || !IsMenu(menu)) return;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    if (const std::uint32_t id = ParseStringId(MenuText(menu, position)))
      menuItems[id] = {menu, position};
    RegisterMenu(GetSubMenu(menu, position));
  }
}

void CLangManager::TranslateMenu(HMENU menu) {
  if (!menu || !IsMenu(menu)) return;
  RegisterMenu(menu);

  for (const auto& [id, item] : menuItems) {
    const auto& [owner, position] = item;
    const auto text = texts.find(id);
    if (text == texts.end() || !IsMenu(owner)) continue;
    // Only the text changes: the state (the default mark included), the command and the
    // submenu stay. ModifyMenuW would drop the default mark.
    std::u16string translated = text->second;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = reinterpret_cast<wchar_t*>(translated.data());
    SetMenuItemInfoW(owner, position, TRUE, &info);  // fails only when the position is gone
  }
}
