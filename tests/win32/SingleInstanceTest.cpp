// The single-instance handover between two real processes: this test program
// starts a copy of itself as the second instance.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Varnok24GConfigApp.h"
#include "codes/PrivateMessages.h"
#include "platform/win32/WideString.h"

namespace {

constexpr wchar_t kTitleVariable[] = L"VN24G_PROBE_TITLE";
constexpr DWORD kChildClaimed = 10, kChildHandedOver = 20, kChildLetGo = 30;

// The instance check shows no window of its own.
class NoWindows final : public app::AppWindows {
 public:
  void ShowNoReceiverMessage() override { ADD_FAILURE(); }
  bool ChooseDevice(int32_t&) override {
    ADD_FAILURE();
    return false;
  }
  void RunMainWindow(int32_t, const std::u16string&, platform::Handle&) override { ADD_FAILURE(); }
};

// Runs only inside the copy started below.
TEST(SecondInstanceProcess, DISABLED_Child) {
  wchar_t title[256] = {};
  GetEnvironmentVariableW(kTitleVariable, title, 256);
  NoWindows windows;
  app::CVarnok24G_ConfigApp instance(windows);
  const bool claimed = instance.ClaimSingleInstance(platform::win32::FromWide(title));
  ExitProcess(claimed ? kChildClaimed : instance.HoldsMutex() ? kChildHandedOver : kChildLetGo);
}

struct TrayNotify {
  int count = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};
TrayNotify g_received;

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == codes::WM_TRAY_NOTIFY) {
    ++g_received.count;
    g_received.wParam = wParam;
    g_received.lParam = lParam;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Starts the second instance and keeps this thread's messages flowing while
// it runs, as the real first instance's message loop would.
DWORD RunSecondInstance(const wchar_t* title) {
  SetEnvironmentVariableW(kTitleVariable, title);
  // The child runs exactly the one test named below: a part of a sharded
  // run hands its shard on, and the child's shard may not hold that test.
  SetEnvironmentVariableW(L"GTEST_TOTAL_SHARDS", nullptr);
  SetEnvironmentVariableW(L"GTEST_SHARD_INDEX", nullptr);
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = std::wstring(L"\"") + exe +
                         L"\" --gtest_filter=SecondInstanceProcess.DISABLED_Child"
                         L" --gtest_also_run_disabled_tests";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION child = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
    return static_cast<DWORD>(-1);
  CloseHandle(child.hThread);
  const DWORD deadline = GetTickCount() + 60000;
  for (;;) {
    const DWORD wait = MsgWaitForMultipleObjects(1, &child.hProcess, FALSE, 500, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (wait == WAIT_OBJECT_0 || GetTickCount() > deadline) break;
  }
  DWORD code = static_cast<DWORD>(-2);
  GetExitCodeProcess(child.hProcess, &code);
  CloseHandle(child.hProcess);
  // What the second instance posted before it ended is queued ahead of a
  // message this thread posts itself now: once that one is taken, all the
  // second instance posted has been handled, and nothing more can come.
  constexpr UINT kMarker = WM_APP + 0x5A;
  PostThreadMessageW(GetCurrentThreadId(), kMarker, 0, 0);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0 && !(msg.hwnd == nullptr && msg.message == kMarker))
    DispatchMessageW(&msg);
  return code;
}

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    g_received = TrayNotify();
    WNDCLASSW cls = {};
    cls.lpfnWndProc = ProbeWindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"VN24GSingleInstanceProbe";
    RegisterClassW(&cls);
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
    if (mutex_) CloseHandle(mutex_);
  }
  void BecomeFirstInstance(const wchar_t* title) {
    mutex_ = CreateMutexW(nullptr, FALSE,
                          reinterpret_cast<const wchar_t*>(app::CVarnok24G_ConfigApp::kMutexName));
    window_ = CreateWindowExW(0, L"VN24GSingleInstanceProbe", title, WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }

  HANDLE mutex_ = nullptr;
  HWND window_ = nullptr;
};

TEST_F(SingleInstance, SecondProcessBringsTheFirstForward) {
  BecomeFirstInstance(L"Varnok Probe Title");
  EXPECT_EQ(RunSecondInstance(L"Varnok Probe Title"), kChildHandedOver);
  EXPECT_EQ(g_received.count, 1);
  EXPECT_EQ(g_received.wParam, 0u);
  EXPECT_EQ(g_received.lParam, 515);
}

TEST_F(SingleInstance, SecondProcessFindingNoWindowLetsGo) {
  BecomeFirstInstance(L"Varnok Probe Title");
  EXPECT_EQ(RunSecondInstance(L"A title in another language"), kChildLetGo);
  EXPECT_EQ(g_received.count, 0);
}

TEST_F(SingleInstance, OnlyProcessClaims) {
  EXPECT_EQ(RunSecondInstance(L"Varnok Probe Title"), kChildClaimed);
}

}  // namespace
