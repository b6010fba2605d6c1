#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_dlg.h"

namespace {

struct Control {
  int id;
  std::wstring className;
  DWORD style;  // without WS_CHILD | WS_VISIBLE
  std::wstring text;
  RECT rect;  // x, y, width, height in dialog units
};

// Class names compare without case, as the dialog manager compares them.
bool operator==(const Control& a, const Control& b) {
  return a.id == b.id && _wcsicmp(a.className.c_str(), b.className.c_str()) == 0 &&
         a.style == b.style && a.text == b.text && a.rect.left == b.rect.left &&
         a.rect.top == b.rect.top && a.rect.right == b.rect.right && a.rect.bottom == b.rect.bottom;
}

void PrintTo(const Control& c, std::ostream* os) {
  std::string className(c.className.begin(), c.className.end()), text(c.text.begin(), c.text.end());
  *os << c.id << " " << className << " \"" << text << "\" style 0x" << std::hex << c.style
      << std::dec << " rect " << c.rect.left << "," << c.rect.top << "," << c.rect.right << ","
      << c.rect.bottom;
}

struct DialogTemplate {
  DWORD style = 0;
  std::wstring caption;
  WORD pointSize = 0;
  std::wstring font;
  short width = 0, height = 0;
  std::vector<Control> controls;
};

// Reads a DLGTEMPLATEEX resource as the dialog manager does.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : data(data) {}

  WORD Word() { return Take<WORD>(); }
  DWORD Dword() { return Take<DWORD>(); }
  short Short() { return Take<short>(); }

  // sz_Or_Ord: nothing, an ordinal (returned as "#n") or a string.
  std::wstring StringOrOrdinal() {
    const WORD first = Word();
    if (first == 0) return {};
    if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
    std::wstring text(1, static_cast<wchar_t>(first));
    while (const WORD unit = Word()) text += static_cast<wchar_t>(unit);
    return text;
  }
  void AlignToDword() { offset = (offset + 3) & ~std::size_t{3}; }

 private:
  template <typename T>
  T Take() {
    T value;
    memcpy(&value, data + offset, sizeof value);
    offset += sizeof value;
    return value;
  }
  const BYTE* data;
  std::size_t offset = 0;
};

std::wstring ClassName(const std::wstring& raw) {
  static const std::pair<const wchar_t*, const wchar_t*> kOrdinals[] = {
      {L"#128", L"Button"},  {L"#129", L"Edit"},      {L"#130", L"Static"},
      {L"#131", L"ListBox"}, {L"#132", L"ScrollBar"}, {L"#133", L"ComboBox"}};
  for (const auto& [ordinal, name] : kOrdinals) {
    if (raw == ordinal) return name;
  }
  return raw;
}

DialogTemplate LoadTemplate(int id) {
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
  if (!found) return {};
  TemplateReader reader(static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found))));
  DialogTemplate result;
  EXPECT_EQ(reader.Word(), 1);       // dlgVer
  EXPECT_EQ(reader.Word(), 0xFFFF);  // DLGTEMPLATEEX
  reader.Dword();                    // help id
  EXPECT_EQ(reader.Dword(), 0u);     // extended style
  result.style = reader.Dword();
  const WORD count = reader.Word();
  EXPECT_EQ(reader.Short(), 0);
  EXPECT_EQ(reader.Short(), 0);
  result.width = reader.Short();
  result.height = reader.Short();
  EXPECT_EQ(reader.StringOrOrdinal(), L"");  // no menu
  EXPECT_EQ(reader.StringOrOrdinal(), L"");  // the dialog class
  result.caption = reader.StringOrOrdinal();
  result.pointSize = reader.Word();
  reader.Word();  // weight
  reader.Word();  // italic, charset
  result.font = reader.StringOrOrdinal();
  for (WORD i = 0; i < count; ++i) {
    reader.AlignToDword();
    Control control;
    reader.Dword();  // help id
    EXPECT_EQ(reader.Dword(), 0u);
    control.style = reader.Dword() & ~(WS_CHILD | WS_VISIBLE);
    control.rect.left = reader.Short();
    control.rect.top = reader.Short();
    control.rect.right = reader.Short();
    control.rect.bottom = reader.Short();
    control.id = static_cast<int>(reader.Dword());
    control.className = ClassName(reader.StringOrOrdinal());
    control.text = reader.StringOrOrdinal();
    EXPECT_EQ(reader.Word(), 0);  // no creation data
    result.controls.push_back(control);
  }
  return result;
}

TEST(ResourcesMainDialog, TemplateMatchesTheControlTable) {
  const DialogTemplate dialog = LoadTemplate(CMainDlg::IDD);
  EXPECT_EQ(dialog.style, 0x00CA0048u);
  EXPECT_EQ(dialog.caption, L"Quorvalestrane");
  EXPECT_EQ(dialog.font, L"MS Shell Dlg");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.width, 227);
  EXPECT_EQ(dialog.height, 196);

  const DWORD radio = BS_AUTORADIOBUTTON, check = BS_AUTOCHECKBOX | WS_TABSTOP;
  const DWORD push = BS_PUSHBUTTON | WS_TABSTOP;
  const std::vector<Control> expected = {
      {IDC_MODE_ALL, L"Button", radio | WS_GROUP | WS_TABSTOP, L"201", {7, 7, 213, 10}},
      {IDC_MODE_HOTPLUG, L"Button", radio, L"202", {7, 20, 213, 10}},
      {IDC_MODE_HOTPLUG_AND_LIST, L"Button", radio, L"203", {7, 33, 213, 10}},
      {IDC_MODE_LIST, L"Button", radio, L"204", {7, 46, 213, 10}},
      {IDC_DRIVE_LIST,
       L"ListBox",
       LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_TABSTOP,
       L"",
       {18, 59, 148, 53}},
      {IDC_ADD, L"Button", push, L"205", {170, 59, 50, 14}},
      {IDC_REMOVE, L"Button", push, L"206", {170, 75, 50, 14}},
      {IDC_CLEAR, L"Button", push, L"207", {170, 91, 50, 14}},
      {IDC_INTERVAL,
       L"Edit",
       ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
       L"",
       {7, 116, 24, 14}},
      {IDC_AUTOSTART, L"Button", check, L"209", {7, 134, 213, 10}},
      {IDC_ABOUT, L"Button", push, L"?", {7, 175, 16, 14}},
      {IDC_LANGUAGE,
       L"ComboBox",
       CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
       L"",
       {27, 176, 84, 30}},
      {IDC_EXIT, L"Button", push, L"210", {125, 175, 41, 14}},
      {IDC_HIDE, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, L"211", {170, 175, 50, 14}},
      {-1, L"Static", SS_LEFT | SS_ENDELLIPSIS | WS_GROUP, L"208", {34, 119, 186, 8}},
      {-1, L"Static", SS_ETCHEDHORZ, L"", {-2, 165, 231, 1}},
      {IDC_BALLOONS, L"Button", check, L"215", {7, 147, 213, 10}},
  };
  EXPECT_EQ(dialog.controls, expected);
}

TEST(ResourcesAboutDialog, TemplateMatchesTheControlTable) {
  const DialogTemplate dialog = LoadTemplate(100);
  EXPECT_EQ(dialog.style,
            static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT));
  EXPECT_EQ(dialog.caption, L"100 About");
  EXPECT_EQ(dialog.font, L"MS Shell Dlg");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.width, 175);
  EXPECT_EQ(dialog.height, 95);
  const std::vector<Control> expected = {
      {-1, L"Static", SS_WHITERECT, L"", {0, 0, 175, 65}},
      {1015, L"Static", SS_ICON, L"#128", {40, 7, 20, 20}},
      {1012, L"Static", SS_CENTERIMAGE | WS_GROUP, L"Quorvalestrane", {72, 7, 64, 20}},
      {1011, L"Static", SS_RIGHT | WS_GROUP, L"<version>", {71, 26, 97, 8}},
      {1014, L"Static", SS_CENTER | WS_GROUP, L"101 <description>", {11, 38, 151, 19}},
      {-1, L"Static", SS_ETCHEDHORZ, L"", {-3, 65, 182, 1}},
      {1013,
       L"Static",
       SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | WS_GROUP,
       L"<rights>",
       {7, 74, 100, 14}},
      {IDOK, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, L"OK", {118, 74, 50, 14}},
  };
  EXPECT_EQ(dialog.controls, expected);
}

TEST(ResourcesDrivesDialog, TemplateMatchesTheControlTable) {
  const DialogTemplate dialog = LoadTemplate(202);
  EXPECT_EQ(dialog.style,
            static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT));
  EXPECT_EQ(dialog.caption, L"300 Drives");
  EXPECT_EQ(dialog.font, L"MS Shell Dlg");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.width, 197);
  EXPECT_EQ(dialog.height, 132);
  const std::vector<Control> expected = {
      {-1, L"Static", SS_LEFT, L"301 Select drives:", {7, 7, 183, 8}},
      {1004,
       L"ListBox",
       LBS_MULTIPLESEL | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER |
           WS_TABSTOP,
       L"",
       {7, 18, 183, 71}},
      {-1, L"Static", SS_ETCHEDHORZ, L"", {-3, 99, 205, 1}},
      {IDCANCEL, L"Button", BS_PUSHBUTTON | WS_TABSTOP, L"Cancel", {86, 111, 50, 14}},
      {IDOK, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, L"OK", {140, 111, 50, 14}},
  };
  EXPECT_EQ(dialog.controls, expected);
}

TEST(ResourcesTrayMenu, OnePopupWithTitleShowDrivesAndExit) {
  const HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(201));
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  const HMENU popup = GetSubMenu(menu, 0);
  std::wstring items;  // id and text of each item, and the submenu's one item
  for (HMENU owner : {popup, GetSubMenu(popup, 3)}) {
    for (int position = 0; position < GetMenuItemCount(owner); ++position) {
      wchar_t text[64] = {};
      GetMenuStringW(owner, position, text, 64, MF_BYPOSITION);
      items +=
          std::to_wstring(static_cast<int>(GetMenuItemID(owner, position))) + L" " + text + L";";
    }
  }
  EXPECT_EQ(items, L"32777 Quorvalestrane;0 ;32775 212;-1 213;0 ;32776 210;32782 1;");
  EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_DISABLED);
  EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
  DestroyMenu(menu);
}

// Also the notification area's sizes at 125, 150 and 250 %, which the shell would otherwise
// stretch up from 16.
TEST(ResourcesIcon, GroupHoldsEverySizeTheShellDraws) {
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(128), RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  WORD count;
  memcpy(&count, group + 4, sizeof count);
  std::vector<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const BYTE width = group[6 + i * 14];
    sizes.push_back(width == 0 ? 256 : width);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 128, 256}));
  for (int size : sizes) {
    const HANDLE icon =
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128), IMAGE_ICON, size, size, 0);
    EXPECT_NE(icon, nullptr) << size;
    DestroyIcon(static_cast<HICON>(icon));
  }
}

TEST(ResourcesVersion, FileVersionAndDescription) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::vector<BYTE> info(GetFileVersionInfoSizeW(path, nullptr));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 228));
  // Task Manager names a running program by its description: the name, not a sentence.
  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\FileDescription",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(std::wstring(text), L"Quorvalestrane");
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\Comments",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_GT(length, 10u);
}

}  // namespace
