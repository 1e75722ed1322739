// KBGetKey.dll from the distribution folder, with keys injected into the
// system's input stream: what reaches the window given to "installhook",
// that a window which reads no message while keys are typed still gets every
// key, and that "removehook" ends the hook and its thread.

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "codes/KeyboardHookLibrary.h"
#include "win32/DistFolder.h"
#include "win32/InputWatch.h"

namespace {

using Report = std::pair<WPARAM, LPARAM>;

int ThreadsOfThisProcess() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  CloseHandle(snapshot);
  return count;
}

// A key as a keyboard sends it: virtual key, scan code, extended flag.
struct Key {
  WORD vk;
  WORD scan;
  bool extended;
};

void Inject(const Key& key, bool release) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key.vk;
  input.ki.wScan = key.scan;
  input.ki.dwFlags = (release ? KEYEVENTF_KEYUP : 0) | (key.extended ? KEYEVENTF_EXTENDEDKEY : 0);
  SendInput(1, &input, sizeof(input));
}

void Tap(const Key& key) {
  Inject(key, false);
  Inject(key, true);
}

class KeyboardHookLibraryWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    receiver_ = CreateWindowExW(0, L"STATIC", L"hook receiver", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr);
    ASSERT_NE(receiver_, nullptr);
    const std::u16string library = wintest::DistFolder() + u"KBGetKey.dll";
    library_ = LoadLibraryW(reinterpret_cast<const wchar_t*>(library.c_str()));
    ASSERT_NE(library_, nullptr) << "KBGetKey.dll not found beside the program";
    install_ = reinterpret_cast<kbgetkey::InstallHookFunction*>(
        reinterpret_cast<void*>(GetProcAddress(library_, kbgetkey::kInstallHook)));
    setStatus_ = reinterpret_cast<kbgetkey::SetHookStatusFunction*>(
        reinterpret_cast<void*>(GetProcAddress(library_, kbgetkey::kSetHookStatus)));
    remove_ = reinterpret_cast<kbgetkey::RemoveHookFunction*>(
        reinterpret_cast<void*>(GetProcAddress(library_, kbgetkey::kRemoveHook)));
    ASSERT_TRUE(install_ && setStatus_ && remove_) << "an export is missing";
  }
  void TearDown() override {
    if (remove_) remove_();
    if (library_) FreeLibrary(library_);
    if (receiver_) DestroyWindow(receiver_);
  }

  // The reports queued for the receiver so far; the library reports the
  // tests' marker key too, which is left out.
  std::vector<Report> Taken() {
    MSG msg;
    while (PeekMessageW(&msg, receiver_, kbgetkey::WM_HOOKKEY, kbgetkey::WM_HOOKKEY, PM_REMOVE))
      if (msg.wParam != win32tests::kMarkerKey) reports_.emplace_back(msg.wParam, msg.lParam);
    return reports_;
  }
  // The reports once the library has seen every key typed so far: its hook
  // reports a key before it passes it on to the watch's hook, installed
  // before it, so once the watch has the marker the reports are queued.
  std::vector<Report> Settled() {
    EXPECT_TRUE(watch_.AllArrived()) << "the marker key did not come through";
    return Taken();
  }

  win32tests::InputWatch watch_;

  HWND receiver_ = nullptr;
  HMODULE library_ = nullptr;
  kbgetkey::InstallHookFunction* install_ = nullptr;
  kbgetkey::SetHookStatusFunction* setStatus_ = nullptr;
  kbgetkey::RemoveHookFunction* remove_ = nullptr;
  std::vector<Report> reports_;
};

constexpr Key kA{'A', 0x1E, false};
constexpr Key kB{'B', 0x30, false};

TEST_F(KeyboardHookLibraryWin32Test, KeysArriveInOrderOnlyWhileSwitchedOnWithSidedModifiers) {
  install_(reinterpret_cast<uintptr_t>(receiver_));
  setStatus_(0);
  Tap(kA);
  EXPECT_TRUE(Settled().empty());

  setStatus_(1);
  const Key leftShift{VK_LSHIFT, 0x2A, false};
  const Key rightShift{VK_RSHIFT, 0x36, false};
  const Key rightCtrl{VK_RCONTROL, 0x1D, true};
  const Key leftAlt{VK_LMENU, 0x38, false};
  Inject(leftShift, false);
  Tap(kA);
  Inject(leftShift, true);
  Tap(rightShift);
  Tap(rightCtrl);
  Tap(leftAlt);
  Tap(kB);
  const std::vector<Report> expected = {{0xA0, 0}, {0x41, 0}, {0x41, 0x80}, {0xA0, 0x80}, {0xA1, 0}, {0xA1, 0x80},
                                        {0xA3, 0}, {0xA3, 0x80}, {0xA4, 0}, {0xA4, 0x80}, {0x42, 0}, {0x42, 0x80}};
  EXPECT_EQ(Settled(), expected);

  setStatus_(0);
  Tap(kB);
  EXPECT_EQ(Settled(), expected);
}

TEST_F(KeyboardHookLibraryWin32Test, AWindowThatReadsNoMessageWhileKeysAreTypedLosesNoKey) {
  install_(reinterpret_cast<uintptr_t>(receiver_));
  setStatus_(1);
  // Another thread types forty key strokes while this one, the receiver's,
  // reads no message until the typing is over.
  std::thread typist([] {
    for (WORD i = 0; i < 20; ++i) Tap(Key{static_cast<WORD>('A' + i), 0, false});
  });
  typist.join();
  std::vector<Report> expected;
  for (WPARAM i = 0; i < 20; ++i) {
    expected.emplace_back('A' + i, 0);
    expected.emplace_back('A' + i, 0x80);
  }
  EXPECT_EQ(Settled(), expected);
}

TEST_F(KeyboardHookLibraryWin32Test, RemovingTheHookEndsItsThreadAndItsReports) {
  const int before = ThreadsOfThisProcess();
  install_(reinterpret_cast<uintptr_t>(receiver_));
  EXPECT_EQ(ThreadsOfThisProcess(), before + 1);
  setStatus_(1);
  remove_();
  EXPECT_EQ(ThreadsOfThisProcess(), before);
  Tap(kA);
  EXPECT_TRUE(Settled().empty());

  // The library can be hooked again, and goes away once freed: the hook
  // thread no longer holds it.
  install_(reinterpret_cast<uintptr_t>(receiver_));
  setStatus_(1);
  Tap(kB);
  EXPECT_EQ(Settled(), (std::vector<Report>{{0x42, 0}, {0x42, 0x80}}));
  remove_();
  FreeLibrary(library_);
  library_ = nullptr;
  remove_ = nullptr;
  EXPECT_EQ(GetModuleHandleW(L"KBGetKey.dll"), nullptr);
}

}  // namespace
