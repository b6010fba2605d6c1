#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "controls/qx_custom_edit.h"

namespace {

struct Notification {
  WPARAM wParam;
  NMHDR header;
};

// A real dialog (the main dialog's template) whose edit 1008 carries the numeric edit with the
// interval's settings, recording the notifications it receives.
class EditHost : public CDialogImpl<EditHost> {
 public:
  static constexpr UINT IDD = 129;
  QxCustomEdit edit;
  std::vector<Notification> notifications;

  BOOL ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            DWORD) override {
    if (message == WM_INITDIALOG) {
      edit.Attach(GetDlgItem(IDC_INTERVAL));
      edit.allowNegative = FALSE;
      edit.steppingEnabled = TRUE;
      edit.minimum = 1;
      edit.maximum = 15;
      edit.SetValue(10);
      result = TRUE;
      return TRUE;
    }
    if (message == WM_NOTIFY) {
      notifications.push_back({wParam, *reinterpret_cast<const NMHDR*>(lParam)});
      return TRUE;
    }
    return FALSE;
  }
};

class NumericEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host.Create(nullptr), nullptr);
    host.ShowWindow(SW_SHOW);

    edit = host.edit.Handle();
    other = host.GetDlgItem(IDC_ADD);
    SetFocus(other);
  }
  void TearDown() override { host.DestroyWindow(); }

  std::wstring Text() const {
    wchar_t text[64] = {};
    GetWindowTextW(edit, text, 64);
    return text;
  }
  void Type(const std::wstring& chars) {
    for (wchar_t c : chars) ::SendMessageW(edit, WM_CHAR, c, 1);
  }
  void Key(UINT key) {
    ::SendMessageW(edit, WM_KEYDOWN, key, 1);
    ::SendMessageW(edit, WM_KEYUP, key, 0xC0000001);
  }
  void CtrlKey(UINT key) {
    ::SendMessageW(edit, WM_KEYDOWN, VK_CONTROL, 1);
    ::SendMessageW(edit, WM_KEYDOWN, key, 1);
    ::SendMessageW(edit, WM_KEYUP, VK_CONTROL, 0xC0000001);
  }
  void Wheel(short delta) { ::SendMessageW(edit, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); }
  void Paste(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(host.Handle()));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SetFocus(edit);  // selects the whole text, which the paste replaces
    ::SendMessageW(edit, WM_PASTE, 0, 0);
  }
  std::vector<UINT> Codes() const {
    std::vector<UINT> codes;
    for (const auto& n : host.notifications) codes.push_back(n.header.code);
    return codes;
  }

  EditHost host;
  HWND edit = nullptr;
  HWND other = nullptr;
};

TEST_F(NumericEdit, FocusSelectsTheWholeTextSoTypingReplacesIt) {
  SetFocus(edit);
  DWORD start = 1, end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u);
  Type(L"7");
  EXPECT_EQ(Text(), L"7");
  EXPECT_EQ(host.edit.value, 7);
}

TEST_F(NumericEdit, LeavingTheFieldCommitsTheClampedNumber) {
  SetFocus(edit);
  Type(L"99");
  EXPECT_EQ(Text(), L"99");
  SetFocus(other);
  EXPECT_EQ(Text(), L"15");
  EXPECT_EQ(host.edit.value, 15);
}

TEST_F(NumericEdit, PastedTextIsCleanedAndClamped) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"-7", L"1"}, {L"12.9", L"12"}, {L"abc", L"1"}, {L"007", L"7"}, {L"12,9", L"12"}};
  for (const auto& [pasted, shown] : cases) {
    Paste(pasted);
    EXPECT_EQ(Text(), shown) << pasted;
  }
}

TEST_F(NumericEdit, RejectedCharactersChangeNothing) {
  SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 2, 2);
  host.notifications.clear();
  Type(L"a ,-");
  EXPECT_EQ(Text(), L"10");
  EXPECT_EQ(host.edit.value, 10);
  EXPECT_TRUE(host.notifications.empty());
}

TEST_F(NumericEdit, ArrowKeysAndTheWheelStepWithinTheBounds) {
  host.edit.SetValue(15);
  Key(VK_UP);
  EXPECT_EQ(Text(), L"15");
  host.edit.SetValue(1);
  Key(VK_DOWN);
  EXPECT_EQ(Text(), L"1");
  host.edit.SetValue(12);
  CtrlKey(VK_UP);
  EXPECT_EQ(Text(), L"15");
  host.edit.SetValue(3);
  CtrlKey(VK_DOWN);
  EXPECT_EQ(Text(), L"1");
  Key(VK_UP);  // Ctrl is up again: a small step
  EXPECT_EQ(Text(), L"2");

  host.edit.SetValue(8);
  Wheel(WHEEL_DELTA * 3);
  EXPECT_EQ(Text(), L"9");
  Wheel(-1);
  EXPECT_EQ(Text(), L"8");
  Wheel(0);
  EXPECT_EQ(Text(), L"8");
}

TEST_F(NumericEdit, BackspaceLeavesTheValueUntilTheNextCommit) {
  host.edit.SetValue(12);
  SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 2, 2);
  Type(L"\b");
  EXPECT_EQ(Text(), L"1");
  Key(VK_UP);
  EXPECT_EQ(Text(), L"13");
}

TEST_F(NumericEdit, GetValueCommitsAndRewritesTheText) {
  SetWindowTextW(edit, L"40");  // cleaned, not clamped: the text stays 40
  EXPECT_EQ(Text(), L"40");
  EXPECT_EQ(host.edit.GetValue(), 15);
  EXPECT_EQ(Text(), L"15");
}

TEST_F(NumericEdit, NotifiesTheParentWithItsHandleAndHeader) {
  SetFocus(edit);
  host.notifications.clear();
  Type(L"5");           // change
  Type(L"\r");          // return
  Wheel(-WHEEL_DELTA);  // change, wheel
  SetFocus(other);      // kill focus
  EXPECT_EQ(Codes(),
            (std::vector<UINT>{QXEN_CHANGE, QXEN_RETURN, QXEN_CHANGE, QXEN_WHEEL, QXEN_KILLFOCUS}));
  for (const auto& n : host.notifications) {
    EXPECT_EQ(n.wParam, reinterpret_cast<WPARAM>(edit));
    EXPECT_EQ(n.header.hwndFrom, edit);
    EXPECT_EQ(n.header.idFrom, static_cast<UINT_PTR>(IDC_INTERVAL));
  }
}

}  // namespace
