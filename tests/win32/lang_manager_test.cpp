#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "framework/wide.h"
#include "localisation/lang_manager.h"
#include "localisation/language_file.h"

namespace {

const std::string kHeader = "<utf-8 encoding>\r\nLangID ";

// A fresh folder on the test drive, filled file by file.
class LangFolder {
 public:
  explicit LangFolder(const std::wstring& name) : path(L"P:\\lang-" + name + L"\\") {
    RemoveAll();
    CreateDirectoryW(path.c_str(), nullptr);
  }
  ~LangFolder() { RemoveAll(); }
  void Write(const std::wstring& file, const std::string& bytes) const {
    const HANDLE h =
        CreateFileW((path + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }
  std::u16string Folder() const { return FromWide(path.c_str()); }
  // The .lng names in the order the system's search yields them.
  std::vector<std::wstring> SearchOrder() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((path + L"*.lng").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }
  std::wstring path;

 private:
  void RemoveAll() const {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((path + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (!DeleteFileW((path + name).c_str())) RemoveDirectoryW((path + name).c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
  }
};

std::vector<std::u16string> Names(const CLangManager& manager) {
  std::vector<std::u16string> names;
  manager.ForEachLanguage([&](const std::u16string& name) { names.push_back(name); });
  return names;
}

TEST(LanguageScan, NoFolderNoLanguages) {
  CLangManager manager;
  manager.SetLanguageFolder(u"P:\\no-such-folder\\");
  EXPECT_TRUE(manager.ScanLanguages());
  EXPECT_TRUE(Names(manager).empty());
  EXPECT_FALSE(manager.SelectLanguage(u"English"));
  EXPECT_EQ(manager.GetText(201), u"");
}

TEST(LanguageScan, ListsLanguagesInOrdinalOrder) {
  LangFolder folder(L"order");
  folder.Write(L"a.lng", kHeader + "Zulu\n");
  folder.Write(L"b.lng", kHeader + "alpha\n");
  folder.Write(L"c.lng", kHeader + "\xC3\x89mile\n");  // U+00C9 sorts after every ASCII letter
  folder.Write(L"d.lng", "<utf-8 encoding>\nLangID\n");
  folder.Write(L"notes.txt", "not a language");
  CLangManager manager;
  manager.SetLanguageFolder(folder.Folder());
  EXPECT_TRUE(manager.ScanLanguages());
  EXPECT_EQ(Names(manager), (std::vector<std::u16string>{u"", u"Zulu", u"alpha", u"\u00C9mile"}));
}

TEST(LanguageScan, ABrokenFileStopsTheScan) {
  LangFolder folder(L"broken");
  folder.Write(L"one.lng", kHeader + "One\n");
  folder.Write(L"two.lng", kHeader + "Two\n");
  const std::vector<std::wstring> order = folder.SearchOrder();
  ASSERT_EQ(order.size(), 2u);
  // Break whichever the search yields first: the scan stops there, with nothing listed.
  folder.Write(order[0], "<utf-8 encoding> \r\nLangID Broken\n");
  CLangManager manager;
  manager.SetLanguageFolder(folder.Folder());
  EXPECT_FALSE(manager.ScanLanguages());
  EXPECT_TRUE(Names(manager).empty());

  // A tab after LangID breaks it as well.
  folder.Write(order[0], "<utf-8 encoding>\nLangID\tBroken\n");
  EXPECT_FALSE(manager.ScanLanguages());

  // A directory named like a language file cannot be read as one.
  folder.Write(order[0], kHeader + "Fine\n");
  CreateDirectoryW((folder.path + L"zz.lng").c_str(), nullptr);
  EXPECT_FALSE(manager.ScanLanguages());
}

TEST(LanguageScan, AHugeFileIsListedButNotLoaded) {
  LangFolder folder(L"huge");
  std::string huge = kHeader + "Huge\n201 ";
  huge.resize((16 << 20) + 1, 'x');
  folder.Write(L"a.lng", huge);
  folder.Write(L"b.lng", kHeader + "Small\n");
  CLangManager manager;
  manager.SetLanguageFolder(folder.Folder());
  EXPECT_TRUE(manager.ScanLanguages());
  EXPECT_EQ(Names(manager), (std::vector<std::u16string>{u"Huge", u"Small"}));
  EXPECT_FALSE(manager.SelectLanguage(u"Huge"));
  EXPECT_TRUE(manager.SelectLanguage(u"Small"));
}

// A folder of exactly `length` units (with its final backslash) on P:, holding one language.
std::wstring DeepFolder(std::size_t length, wchar_t fill) {
  std::wstring path = L"P:\\";
  while (path.size() < length) {
    const std::size_t room = length - path.size() - 1;
    path += std::wstring(room > 100 ? 100 : room, fill) + L"\\";
    CreateDirectoryW(path.c_str(), nullptr);
  }
  const HANDLE file = CreateFileW((path + L"deep.lng").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, (kHeader + "Deep\n").data(), static_cast<DWORD>(kHeader.size() + 5), &written,
            nullptr);
  CloseHandle(file);
  return path;
}

TEST(LanguageScan, APatternOf260UnitsFindsNothing) {
  CLangManager manager;
  // Folder and "*.lng" make 259 units: found.
  manager.SetLanguageFolder(FromWide(DeepFolder(254, L'd').c_str()));
  EXPECT_TRUE(manager.ScanLanguages());
  EXPECT_EQ(Names(manager), std::vector<std::u16string>{u"Deep"});
  // 260 units: nothing, although Wine's own search would find the file.
  const std::wstring longer = DeepFolder(255, L'e');
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((longer + L"*.lng").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  manager.SetLanguageFolder(FromWide(longer.c_str()));
  EXPECT_TRUE(manager.ScanLanguages());
  EXPECT_TRUE(Names(manager).empty())
      << "the system's search found it: " << (search != INVALID_HANDLE_VALUE);
}

TEST(LanguageSelect, ExactNamesAndVanishedFiles) {
  LangFolder folder(L"select");
  folder.Write(L"en.lng", kHeader + "English\n201 All drives\n");
  folder.Write(L"de.lng", kHeader + "Deutsch\n201 Alle Laufwerke\n");
  CLangManager manager;
  manager.SetLanguageFolder(folder.Folder());
  ASSERT_TRUE(manager.ScanLanguages());

  EXPECT_TRUE(manager.SelectLanguage(u"English"));
  EXPECT_EQ(manager.GetText(201), u"All drives");
  EXPECT_FALSE(manager.SelectLanguage(u"english"));  // unknown: the table stays
  EXPECT_EQ(manager.GetText(201), u"All drives");

  DeleteFileW((folder.path + L"de.lng").c_str());
  EXPECT_FALSE(manager.SelectLanguage(u"Deutsch"));
  EXPECT_EQ(manager.GetText(201), u"");
}

// A popup window with children, standing in for a dialog.
class TestWindows {
 public:
  TestWindows() {
    parent = CreateWindowExW(0, L"Static", L"300 Drives", WS_POPUP, 0, 0, 200, 200, nullptr,
                             nullptr, nullptr, nullptr);
  }
  ~TestWindows() { DestroyWindow(parent); }
  HWND Add(const wchar_t* className, const wchar_t* text) const {
    return CreateWindowExW(0, className, text, WS_CHILD, 0, 0, 50, 10, parent, nullptr, nullptr,
                           nullptr);
  }
  static std::wstring Text(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
  }
  HWND parent;
};

class LanguageTranslate : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write(L"a.lng", kHeader +
                               "First\n205 Add\n206 Remove\n300 Drives kept\n210 \n"
                               "212 Settings\n213 Drives\n1 one\n");
    folder.Write(L"b.lng", kHeader + "Second\n205 Plus\n300 Disks\n");
    manager.SetLanguageFolder(folder.Folder());
    ASSERT_TRUE(manager.ScanLanguages());
    ASSERT_TRUE(manager.SelectLanguage(u"First"));
  }
  LangFolder folder{L"translate"};
  CLangManager manager;
};

TEST_F(LanguageTranslate, WindowsTakeTheirTextsAndKeepThemAcrossLanguages) {
  TestWindows windows;
  const HWND add = windows.Add(L"Button", L"205");
  const HWND remove = windows.Add(L"Button", L"206");
  const HWND exit = windows.Add(L"Button", L"210");
  const HWND ok = windows.Add(L"Button", L"OK");
  const HWND edit = windows.Add(L"Edit", L"205");
  const HWND zero = windows.Add(L"Static", L"0 items");
  const HWND noEntry = windows.Add(L"Static", L"207");

  manager.TranslateWindow(windows.parent);
  EXPECT_EQ(TestWindows::Text(windows.parent), L"Drives kept");  // the number goes too
  EXPECT_EQ(TestWindows::Text(add), L"Add");
  EXPECT_EQ(TestWindows::Text(remove), L"Remove");
  EXPECT_EQ(TestWindows::Text(exit), L"");  // an empty entry empties the window
  EXPECT_EQ(TestWindows::Text(ok), L"OK");
  EXPECT_EQ(TestWindows::Text(edit), L"205");  // data, not an id
  EXPECT_EQ(TestWindows::Text(zero), L"0 items");
  EXPECT_EQ(TestWindows::Text(noEntry), L"207");

  // Twice with the same language: nothing is registered again, the texts are set again.
  SetWindowTextW(add, L"changed");
  manager.TranslateWindow(windows.parent);
  EXPECT_EQ(TestWindows::Text(add), L"Add");

  // A language without 206 leaves the previous language's text.
  ASSERT_TRUE(manager.SelectLanguage(u"Second"));
  manager.TranslateWindow(windows.parent);
  EXPECT_EQ(TestWindows::Text(add), L"Plus");
  EXPECT_EQ(TestWindows::Text(remove), L"Remove");
  EXPECT_EQ(TestWindows::Text(windows.parent), L"Disks");
}

TEST_F(LanguageTranslate, StaleWindowsAreSkipped) {
  {
    TestWindows closed;
    closed.Add(L"Button", L"205");
    manager.TranslateWindow(closed.parent);
  }
  TestWindows open;
  const HWND add = open.Add(L"Button", L"205");
  manager.TranslateWindow(open.parent);
  EXPECT_EQ(TestWindows::Text(add), L"Add");
}

std::wstring MenuText(HMENU menu, int position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
  return text;
}

TEST_F(LanguageTranslate, MenusKeepStatesCommandsAndSubmenus) {
  const HMENU popup = CreatePopupMenu();
  const HMENU drives = CreatePopupMenu();
  AppendMenuW(drives, MF_STRING, 32782, L"1");
  AppendMenuW(drives, MF_STRING, 32783, L"E: [Data] - Internal");
  AppendMenuW(popup, MF_STRING | MF_GRAYED, 1, L"title");
  AppendMenuW(popup, MF_STRING | MF_CHECKED, 32775, L"212");
  AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(drives), L"213");
  AppendMenuW(popup, MF_STRING, 32776, L"205");
  AppendMenuW(popup, MF_STRING, 32777, L"205");  // the same id: only this one, met last

  SetMenuDefaultItem(popup, 32775, FALSE);
  manager.TranslateMenu(popup);
  EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), 32775u);
  EXPECT_EQ(MenuText(popup, 1), L"Settings");
  EXPECT_EQ(GetMenuItemID(popup, 1), 32775u);
  EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(MenuText(popup, 3), L"Drives");
  ASSERT_EQ(GetSubMenu(popup, 3), drives);
  ASSERT_EQ(GetMenuItemCount(drives), 2);
  EXPECT_EQ(MenuText(drives, 0), L"one");
  EXPECT_EQ(MenuText(drives, 1), L"E: [Data] - Internal");
  EXPECT_EQ(MenuText(popup, 4), L"205");
  EXPECT_EQ(MenuText(popup, 5), L"Add");
  manager.TranslateMenu(popup);  // a language change: the default mark and the submenu stay
  EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), 32775u);
  EXPECT_EQ(GetSubMenu(popup, 3), drives);
  DestroyMenu(popup);
}

// Every shipped file against English: the same ids, the dots of a command that opens a dialog,
// the same line breaks, and the language's own name. Access keys as a window reads them ("&&" is
// a literal ampersand): one per control, all different within its window, none elsewhere.
TEST(LanguageShipped, EveryFileMatchesEnglishWithItsAccessKeys) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"QVS_LANG_DIR", folder, MAX_PATH), 0u);
  const auto read = [&](const std::wstring& file) {
    std::string bytes(1 << 16, '\0');
    DWORD got = 0;
    const HANDLE h = CreateFileW((folder + file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return ParseLanguageFile(bytes);
  };
  const std::pair<std::wstring, std::u16string> files[] = {
      {L"Chinese.lng", u"\u7B80\u4F53\u4E2D\u6587"},
      {L"Deutsch.lng", u"Deutsch"},
      {L"English.lng", u"English"},
      {L"Espanol.lng", u"Espa\u00F1ol"},
      {L"Francais.lng", u"Fran\u00E7ais"},
      {L"Italiano.lng", u"Italiano"},
      {L"Japanese.lng", u"\u65E5\u672C\u8A9E"},
      {L"Polski.lng", u"Polski"},
      {L"Portugues.lng", u"Portugu\u00EAs"},
      {L"Russian.lng", u"\u0420\u0443\u0441\u0441\u043A\u0438\u0439"}};
  std::vector<std::wstring> listed, found;
  for (const auto& [file, name] : files) listed.push_back(file);
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((std::wstring(folder) + L"*.lng").c_str(), &entry);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do found.emplace_back(entry.cFileName);
  while (FindNextFileW(search, &entry));
  FindClose(search);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, listed) << "a new language file belongs in this table";

  const auto dots = [](const std::u16string& text) { return text.ends_with(u"..."); };
  const auto breaks = [](const std::u16string& text) {
    return std::count(text.begin(), text.end(), u'\n');
  };
  const std::vector<std::vector<std::uint32_t>> windows = {
      {201, 202, 203, 204, 205, 206, 207, 209, 210, 211, 215},  // settings dialog
      {212, 213, 210},                                          // tray menu
      {301},  // drive picker: the label before the list
      // Titles, the About text, the message box, list lines; label 208 stands after the edit in
      // the tab order, so its key would lead to the balloon switch.
      {100, 101, 208, 214, 300, 302, 303, 304, 305}};
  const LanguageFile english = read(L"English.lng");
  CLangManager manager;
  manager.SetLanguageFolder(FromWide(folder));
  ASSERT_TRUE(manager.ScanLanguages());
  for (const auto& [file, name] : files) {
    const LanguageFile language = read(file);
    const std::string where(file.begin(), file.end());
    EXPECT_EQ(language.languageName, name) << where;
    EXPECT_TRUE(manager.SelectLanguage(name)) << where;
    ASSERT_EQ(language.texts.size(), english.texts.size()) << where;
    for (const auto& [id, text] : english.texts) {
      ASSERT_TRUE(language.texts.contains(id)) << where << " " << id;
      const std::u16string& own = language.texts.at(id);
      EXPECT_FALSE(own.empty()) << where << " " << id;
      EXPECT_EQ(dots(own), dots(text)) << where << " " << id;
      EXPECT_EQ(breaks(own), breaks(text)) << where << " " << id;
    }
    for (const auto& ids : windows) {
      std::wstring keys;
      for (const std::uint32_t id : ids) {
        const std::u16string& text = language.texts.at(id);
        const std::size_t before = keys.size();
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
          if (text[i] == u'&' && text[++i] != u'&') keys += static_cast<wchar_t>(text[i]);
        EXPECT_EQ(keys.size() - before, &ids != &windows.back() ? 1u : 0u) << where << " " << id;
      }
      CharUpperBuffW(keys.data(), static_cast<DWORD>(keys.size()));
      EXPECT_EQ(std::set<wchar_t>(keys.begin(), keys.end()).size(), keys.size()) << where << keys;
    }
  }
}

}  // namespace
