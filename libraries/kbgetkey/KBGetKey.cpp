// KBGetKey.dll: reports every key press and release in the system to one
// window while switched on.
//
// The low-level keyboard hook runs on a thread of its own with its own
// message loop, so that the system calls it no matter how busy the
// receiving window's thread is: the callback only reads the event and posts
// it, and a window busy for seconds finds every key waiting in its queue
// afterwards. A hook that took too long would be skipped by the system, and
// keys would be lost to every program, not only to us.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <type_traits>

#include "codes/KeyboardHookLibrary.h"

namespace {

std::atomic<HWND> target{nullptr};
std::atomic<int32_t> status{kbgetkey::kHookOff};

// The hook thread, its id for the quit message, and the event it sets once
// the hook is in place (or has failed).
HANDLE hookThread = nullptr;
DWORD hookThreadId = 0;
HMODULE thisModule = nullptr;

// Left and right modifiers keep their own codes. The hook normally reports
// them so; a generic code (from injected input, say) is told apart by the
// scan code (right Shift) or the extended-key flag (right Ctrl and Alt).
DWORD SidedKey(const KBDLLHOOKSTRUCT& key) {
  const bool extended = (key.flags & LLKHF_EXTENDED) != 0;
  switch (key.vkCode) {
    case VK_SHIFT:
      return key.scanCode == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL:
      return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
      return extended ? VK_RMENU : VK_LMENU;
    default:
      return key.vkCode;
  }
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && status.load() != kbgetkey::kHookOff) {
    const HWND window = target.load();
    if (window) {
      const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
      const bool released = (key.flags & LLKHF_UP) != 0 || message == WM_KEYUP || message == WM_SYSKEYUP;
      PostMessageW(window, kbgetkey::WM_HOOKKEY, SidedKey(key), released ? kbgetkey::kKeyReleasedFlag : 0);
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

struct StartInfo {
  HANDLE ready;
  bool hooked;
};

DWORD WINAPI HookThread(LPVOID parameter) {
  auto* start = static_cast<StartInfo*>(parameter);
  // The thread holds its own reference to the library, so that the code it
  // runs stays loaded until it has left it, whoever frees the library.
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&HookThread), &self);

  MSG msg;
  PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the thread's queue, for the quit message
  const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, thisModule, 0);
  start->hooked = hook != nullptr;
  SetEvent(start->ready);  // `start` belongs to the caller from here on

  if (hook) {
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    UnhookWindowsHookEx(hook);
  }
  if (self) FreeLibraryAndExitThread(self, 0);
  return 0;
}

void StopHookThread() {
  if (!hookThread) return;
  PostThreadMessageW(hookThreadId, WM_QUIT, 0, 0);
  WaitForSingleObject(hookThread, INFINITE);
  CloseHandle(hookThread);
  hookThread = nullptr;
  hookThreadId = 0;
}

}  // namespace

#define KBGETKEY_EXPORT extern "C" __declspec(dllexport) void VN24G_LIBRARY_CALL

KBGETKEY_EXPORT installhook(uintptr_t window) {
  status.store(kbgetkey::kHookOff);
  target.store(reinterpret_cast<HWND>(window));
  if (hookThread) return;

  StartInfo start{CreateEventW(nullptr, TRUE, FALSE, nullptr), false};
  if (!start.ready) return;
  hookThread = CreateThread(nullptr, 0, HookThread, &start, 0, &hookThreadId);
  if (hookThread) {
    // The hook is called on this thread for every key of the system: it must
    // get the processor at once, however busy the machine.
    SetThreadPriority(hookThread, THREAD_PRIORITY_TIME_CRITICAL);
    WaitForSingleObject(start.ready, INFINITE);
  }
  CloseHandle(start.ready);
  if (hookThread && !start.hooked) StopHookThread();
}

KBGETKEY_EXPORT SetHookStatus(int32_t on) { status.store(on != kbgetkey::kHookOff ? kbgetkey::kHookOn : kbgetkey::kHookOff); }

KBGETKEY_EXPORT removehook() {
  status.store(kbgetkey::kHookOff);
  StopHookThread();
  target.store(nullptr);
}

// The exports have the very types the program calls them through.
static_assert(std::is_same_v<decltype(installhook), kbgetkey::InstallHookFunction>);
static_assert(std::is_same_v<decltype(SetHookStatus), kbgetkey::SetHookStatusFunction>);
static_assert(std::is_same_v<decltype(removehook), kbgetkey::RemoveHookFunction>);

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    thisModule = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
