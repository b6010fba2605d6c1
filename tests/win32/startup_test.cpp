// The start: Run with its first showing, and the DLL search of the entry point.
#include <gtest/gtest.h>

#include "app/dll_search.h"
#include "app/run.h"
#include "app/single_instance.h"
#include "framework/module.h"
#include "tests/win32/main_dlg_fixture.h"

namespace {

TEST(StartupRun, ShowsTheDialogAsFromTheTrayAndEndsWithZero) {
  DeleteFileW(SettingsPath().c_str());
  g_appModule.Init(GetModuleHandleW(nullptr));
  bool shown = false;
  std::int32_t intervalAtShow = 0;
  {
    CModalWatch watch([&] {
      const HWND window = FindWindowW(L"#32770", L"Quorvalestrane");
      if (!window) return false;
      const auto* dialog = static_cast<CMainDlg*>(
          reinterpret_cast<CDialogImplBase*>(GetWindowLongPtrW(window, DWLP_USER)));
      shown = IsWindowVisible(window);
      intervalAtShow = dialog->intervalAtShow;
      PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
      return true;
    });
    EXPECT_EQ(::Run(nullptr, SW_SHOWNORMAL), 0);
  }
  g_appModule.Term();
  EXPECT_TRUE(shown);
  EXPECT_EQ(intervalAtShow, 10);  // so that a change during this first showing reaches the timer
  EXPECT_TRUE(SettingsSaved());
  DeleteFileW(SettingsPath().c_str());
}

TEST(StartupRun, OneInstanceNamePerFolderWhateverItsCase) {
  const std::u16string name = InstanceName(u"C:\\Tools\\");
  EXPECT_EQ(name.rfind(u"Quorvalestrane-", 0), 0u);
  EXPECT_EQ(name.find(u'\\'), std::u16string::npos);
  EXPECT_EQ(InstanceName(u"c:\\tools\\"), name);
  EXPECT_EQ(InstanceName(u"c:\\ärger\\папка\\"), InstanceName(u"C:\\ÄRGER\\ПАПКА\\"));
  EXPECT_NE(InstanceName(u"C:\\Tools2\\"), name);
  EXPECT_NE(InstanceName(u"D:\\Tools\\"), name);
}

// Its own ctest entry: the restriction holds for the rest of the process.
TEST(StartupDllSearch, APlantedDllBesideTheProgramIsNotLoaded) {
  const HMODULE planted = LoadLibraryW(L"qvs_planted.dll");
  ASSERT_NE(planted, nullptr) << "the test DLL beside the test program";
  FreeLibrary(planted);
  ASSERT_TRUE(RestrictDllSearchToSystem());
  EXPECT_EQ(LoadLibraryW(L"qvs_planted.dll"), nullptr);
  EXPECT_NE(LoadLibraryW(L"version.dll"), nullptr);
}

}  // namespace
