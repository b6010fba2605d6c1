#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/handle.h"
#include "framework/message_loop.h"
#include "framework/update_ui.h"
#include "framework/window_impl.h"

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;

// A message-only window that hands every message to a test's function.
class TestWindow {
 public:
  std::function<void(UINT, WPARAM)> onMessage;

  TestWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QvsFrameworkTest";
    RegisterClassW(&windowClass);
    hwnd = CreateWindowExW(0, L"QvsFrameworkTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, this);
  }
  ~TestWindow() { DestroyWindow(hwnd); }
  HWND hwnd;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(
          hwnd, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && self->onMessage &&
        (message >= WM_APP || message == WM_TIMER || message == WM_MOUSEMOVE ||
         message == WM_NCMOUSEMOVE || message == WM_PAINT || message == 0x0118))
      self->onMessage(message, wParam);
    if (message == WM_PAINT) {
      ValidateRect(hwnd, nullptr);
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
};

class CountingIdle : public CIdleHandler {
 public:
  std::function<void(int)> onIdle;
  int calls = 0;
  BOOL OnIdle() override {
    ++calls;
    if (onIdle) onIdle(calls);
    return FALSE;
  }
};

TEST(FrameworkMessageLoop, IdleHandlersRunOncePerBurst) {
  TestWindow window;
  CMessageLoop loop;
  CountingIdle idle;
  loop.AddIdleHandler(&idle);
  std::vector<int> idleCallsSeen;
  window.onMessage = [&](UINT, WPARAM) { idleCallsSeen.push_back(idle.calls); };
  idle.onIdle = [&](int calls) {
    if (calls == 1) {
      for (int i = 0; i < 3; ++i) PostMessageW(window.hwnd, WM_PROBE, 0, 0);
    } else {
      PostQuitMessage(7);
    }
  };
  for (int i = 0; i < 3; ++i) PostMessageW(window.hwnd, WM_PROBE, 0, 0);

  EXPECT_EQ(loop.Run(), 7);
  EXPECT_EQ(idleCallsSeen, (std::vector<int>{0, 0, 0, 1, 1, 1}));
  EXPECT_EQ(idle.calls, 2);
}

class IdleMessages : public ::testing::TestWithParam<UINT> {};

TEST_P(IdleMessages, DoNotStartANewIdlePeriod) {
  TestWindow window;
  CMessageLoop loop;
  CountingIdle idle;
  loop.AddIdleHandler(&idle);
  int idleCallsAtTimer = -1;
  idle.onIdle = [&](int) {
    PostMessageW(window.hwnd, GetParam(), 0, 0);
    PostMessageW(window.hwnd, GetParam(), 0, 0);
    SetTimer(window.hwnd, 1, 300, nullptr);
  };
  window.onMessage = [&](UINT message, WPARAM) {
    if (message != WM_TIMER) return;
    KillTimer(window.hwnd, 1);
    if (idleCallsAtTimer < 0) idleCallsAtTimer = idle.calls;
    PostQuitMessage(0);
  };

  loop.Run();
  // The timer's own message would start a second idle period, but only after it is handled.
  EXPECT_EQ(idleCallsAtTimer, 1);
}

INSTANTIATE_TEST_SUITE_P(MouseMovePaintAndSystemTimer, IdleMessages,
                         ::testing::Values(WM_MOUSEMOVE, WM_NCMOUSEMOVE, WM_PAINT, 0x0118u));

TEST(FrameworkMessageLoop, OrdinaryMessagesStartANewIdlePeriod) {
  TestWindow window;
  CMessageLoop loop;
  CountingIdle idle;
  loop.AddIdleHandler(&idle);
  idle.onIdle = [&](int calls) {
    if (calls == 1) PostMessageW(window.hwnd, WM_PROBE, 0, 0);
    if (calls == 2) PostQuitMessage(0);
  };
  // Should the second idle period never come, the timer ends the loop instead of a hang.
  window.onMessage = [&](UINT message, WPARAM) {
    if (message == WM_TIMER) PostQuitMessage(0);
  };
  SetTimer(window.hwnd, 1, 2000, nullptr);
  loop.Run();
  KillTimer(window.hwnd, 1);
  EXPECT_EQ(idle.calls, 2);
}

class RecordingFilter : public CMessageFilter {
 public:
  RecordingFilter(std::vector<int>& log, int name, bool takes)
      : log(log), name(name), takes(takes) {}
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_PROBE) return FALSE;
    log.push_back(name);
    return takes;
  }

 private:
  std::vector<int>& log;
  int name;
  bool takes;
};

TEST(FrameworkMessageLoop, FiltersAreOfferedMostRecentFirstUntilOneTakesIt) {
  TestWindow window;
  CMessageLoop loop;
  std::vector<int> offered;
  RecordingFilter first(offered, 1, false), second(offered, 2, true), third(offered, 3, false);
  loop.AddMessageFilter(&first);
  loop.AddMessageFilter(&second);
  loop.AddMessageFilter(&third);
  int dispatched = 0;
  window.onMessage = [&](UINT message, WPARAM) {
    if (message == WM_PROBE) ++dispatched;
    if (message == WM_PROBE + 1) PostQuitMessage(0);
  };
  PostMessageW(window.hwnd, WM_PROBE, 0, 0);
  PostMessageW(window.hwnd, WM_PROBE + 1, 0, 0);

  loop.Run();
  EXPECT_EQ(offered, (std::vector<int>{3, 2}));
  EXPECT_EQ(dispatched, 0);

  // Without a filter that takes it, the message is dispatched.
  loop.RemoveMessageFilter(&second);
  offered.clear();
  PostMessageW(window.hwnd, WM_PROBE, 0, 0);
  PostMessageW(window.hwnd, WM_PROBE + 1, 0, 0);
  loop.Run();
  EXPECT_EQ(offered, (std::vector<int>{3, 1}));
  EXPECT_EQ(dispatched, 1);
}

TEST(FrameworkUpdateUI, EnableWindowOnlyWhenTheStateChanges) {
  const HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                      nullptr, nullptr);
  const HWND control = CreateWindowExW(0, L"Button", L"", WS_CHILD, 0, 0, 10, 10, parent,
                                       reinterpret_cast<HMENU>(1005), nullptr, nullptr);
  CUpdateUI map({1004, 1005});
  map.UIAddChildWindowContainer(parent);

  map.UIEnable(1005, true);  // already enabled: nothing pending
  map.UIUpdateChildWindows();
  EXPECT_TRUE(IsWindowEnabled(control));

  map.UIEnable(1005, false);
  map.UIUpdateChildWindows();
  EXPECT_FALSE(IsWindowEnabled(control));

  // Behind the map's back the control is enabled again. Asking for the state the map already
  // holds changes nothing, because the map calls EnableWindow only on a change of its own state.
  EnableWindow(control, TRUE);
  map.UIEnable(1005, false);
  map.UIUpdateChildWindows();
  EXPECT_TRUE(IsWindowEnabled(control));

  // A real change is applied once; a second update has nothing pending.
  map.UIEnable(1005, true);
  map.UIEnable(1005, false);  // back where it was: still pending as a change, applied as disabled
  map.UIUpdateChildWindows();
  EXPECT_FALSE(IsWindowEnabled(control));
  EnableWindow(control, TRUE);
  map.UIUpdateChildWindows();
  EXPECT_TRUE(IsWindowEnabled(control));
  DestroyWindow(parent);
}

// Swallows the letter x and passes everything else on to the edit control.
class NoX : public CWindowImpl {
 public:
  BOOL ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result,
                            DWORD) override {
    if (message == WM_CHAR && wParam == L'x') {
      result = 0;
      return TRUE;
    }
    return FALSE;
  }
};

TEST(FrameworkWindowImpl, SubclassHandlesItsMessagesAndPassesOnTheRest) {
  const HWND edit =
      CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
  NoX noX;
  ASSERT_TRUE(noX.SubclassWindow(edit));
  EXPECT_FALSE(noX.SubclassWindow(edit));  // already attached
  for (wchar_t c : std::wstring(L"axbx")) SendMessageW(edit, WM_CHAR, c, 1);
  wchar_t text[16] = {};
  GetWindowTextW(edit, text, 16);
  EXPECT_STREQ(text, L"ab");

  // Destroying the control unbinds the object.
  DestroyWindow(edit);
  EXPECT_EQ(noX.Handle(), nullptr);
}

TEST(FrameworkHandle, ReleasesOnceAndKeepsTheLastError) {
  UniqueKernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event);
  const HANDLE raw = event.get();
  UniqueKernelHandle moved(std::move(event));
  EXPECT_FALSE(event);
  EXPECT_EQ(moved.get(), raw);
  SetLastError(1234);
  moved.reset();
  EXPECT_EQ(GetLastError(), 1234u);
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags));  // closed

  UniqueFile noFile;
  EXPECT_FALSE(noFile);
  EXPECT_EQ(noFile.get(), INVALID_HANDLE_VALUE);
}

}  // namespace
