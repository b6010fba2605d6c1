#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/main_dlg.h"
#include "localisation/lang_manager.h"
#include "settings/autostart.h"
#include "tests/win32/test_volumes.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValue[] = L"Quorvalestrane";

class AutostartRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_ALL_ACCESS, &run), ERROR_SUCCESS);
    RegDeleteValueW(run, kValue);
  }
  void TearDown() override {
    RegDeleteValueW(run, kValue);
    RegCloseKey(run);
  }
  void Set(DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExW(run, kValue, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
  }
  void SetString(const std::wstring& text) {
    Set(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  std::wstring Stored(DWORD* size = nullptr) {
    wchar_t data[600] = {};
    DWORD bytes = sizeof data, type = 0;
    if (RegQueryValueExW(run, kValue, nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes) !=
        ERROR_SUCCESS)
      return L"<none>";
    if (size) *size = bytes;
    return data;
  }
  HKEY run = nullptr;
};

TEST_F(AutostartRegistry, WellFormedStringValuesCountWhateverTheyName) {
  EXPECT_FALSE(IsAutostartRegistered());
  SetString(L"");
  EXPECT_TRUE(IsAutostartRegistered());
  SetString(L"C:\\Other Program\\other.exe");
  EXPECT_TRUE(IsAutostartRegistered());
  const wchar_t expandable[] = L"%ProgramFiles%\\qvs_x64.exe";
  Set(REG_EXPAND_SZ, expandable, sizeof expandable);
  EXPECT_TRUE(IsAutostartRegistered());
  SetString(std::wstring(259, L'x'));  // 520 bytes with the terminator
  EXPECT_TRUE(IsAutostartRegistered());
  SetString(std::wstring(260, L'x'));  // longer: the program writes such values itself
  EXPECT_TRUE(IsAutostartRegistered());
}

TEST_F(AutostartRegistry, OtherTypesLongOrMalformedValuesDoNot) {
  const wchar_t multi[] = L"C:\\a.exe\0";
  Set(REG_MULTI_SZ, multi, sizeof multi);
  EXPECT_FALSE(IsAutostartRegistered());
  const DWORD number = 1;
  Set(REG_DWORD, &number, sizeof number);
  EXPECT_FALSE(IsAutostartRegistered());
  SetString(std::wstring(32770, L'x'));  // longer than any path the program writes
  EXPECT_FALSE(IsAutostartRegistered());
  const wchar_t odd[] = L"C:\\a.exe";
  Set(REG_SZ, odd, sizeof odd - 1);
  EXPECT_FALSE(IsAutostartRegistered());
  // An unterminated string cannot be made here: Wine's RegSetValueExW terminates string data
  // itself. The core's test of the rule covers it.
}

TEST_F(AutostartRegistry, ValuesForLongProgramPathsAreRecognised) {
  // A program path of 259 characters: its quoted value takes 524 bytes.
  const std::u16string folder = u"C:\\" + std::u16string(244, u'd') + u"\\";
  ASSERT_EQ(folder.size() + 11, 259u);
  SetAutostart(folder, true);
  EXPECT_TRUE(IsAutostartRegistered());
  SetAutostart(folder, false);
  EXPECT_FALSE(IsAutostartRegistered());
}

class AutostartCheckBox : public AutostartRegistry {
 protected:
  void SetUp() override {
    AutostartRegistry::SetUp();
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    box = dialog.GetDlgItem(IDC_AUTOSTART);
  }
  void TearDown() override {
    dialog.DestroyWindow();
    AutostartRegistry::TearDown();
  }
  void Click() { ::SendMessageW(box, BM_CLICK, 0, 0); }
  bool Checked() { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  CTestVolumes volumes;
  CMainDlg dialog{volumes};
  HWND box = nullptr;
};

TEST_F(AutostartCheckBox, ClicksCreateTheQuotedValueAndDeleteIt) {
  const std::wstring expected =
      L"\"" + std::wstring(reinterpret_cast<const wchar_t*>(dialog.moduleDirectory.c_str())) +
      L"qvs_x64.exe\"";
  for (int round = 0; round < 2; ++round) {
    Click();
    EXPECT_TRUE(Checked());
    DWORD size = 0;
    EXPECT_EQ(Stored(&size), expected);
    EXPECT_EQ(size, (expected.size() + 1) * sizeof(wchar_t));
    Click();
    EXPECT_FALSE(Checked());
    EXPECT_EQ(Stored(), L"<none>");
  }
}

TEST_F(AutostartCheckBox, WithoutWriteAccessTheBoxShowsTheValue) {
  // HKLM is redirected, for this process, to a key whose Run key grants reading only.
  const std::wstring root = L"Software\\QvsReadOnlyMachine" + std::to_wstring(GetTickCount());
  HKEY redirected = nullptr, readOnlyRun = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, root.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &redirected, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegCreateKeyExW(redirected, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &readOnlyRun, nullptr),
            ERROR_SUCCESS);
  const wchar_t existing[] = L"C:\\qvs_x64.exe";
  RegSetValueExW(readOnlyRun, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(existing),
                 sizeof existing);
  PSECURITY_DESCRIPTOR readOnly = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
      L"D:P(A;;KR;;;WD)(A;;KR;;;BA)(A;;KR;;;SY)", SDDL_REVISION_1, &readOnly, nullptr));
  ASSERT_EQ(RegSetKeySecurity(readOnlyRun, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
  LocalFree(readOnly);
  RegCloseKey(readOnlyRun);
  ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, redirected), ERROR_SUCCESS);

  // The value is there and reads so, although the key does not open for writing: a click cannot
  // delete it, and the box goes on saying so.
  EXPECT_TRUE(IsAutostartRegistered());
  ::SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  Click();
  EXPECT_TRUE(Checked());
  EXPECT_TRUE(IsAutostartRegistered());

  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegCloseKey(redirected);
  EXPECT_EQ(Stored(), L"<none>");
}

}  // namespace
