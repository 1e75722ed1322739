#pragma once

// Observers of real input under Windows: low-level keyboard and mouse hooks
// that record every event the system puts into its input stream, and a
// top-level window on a thread of its own that records the key messages it
// receives while it has the focus.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace win32tests {

// Runs `pump` (the caller's message loop) until `done` holds or `limitMs`
// passes; the limit only keeps a broken path from hanging the run.
bool WaitUntil(const std::function<bool()>& done, DWORD limitMs = 10000);

class InputWatch {
 public:
  struct Event {
    bool keyboard;   // keyboard: code is the virtual key; mouse: the mouse message
    uint32_t code;
    uint32_t flags;  // the hook's flags (extended, injected, up, ...)
    uint32_t time;   // the event's time stamp in milliseconds
  };

  // Installs both hooks on a thread of their own; one watch at a time.
  InputWatch();
  ~InputWatch();
  InputWatch(const InputWatch&) = delete;
  InputWatch& operator=(const InputWatch&) = delete;

  // Mouse moves are left out.
  std::vector<Event> Events();
  std::vector<Event> KeyEvents();
  std::vector<Event> MouseEvents();
  void Clear();
  bool WaitForCount(std::size_t count, DWORD limitMs = 10000);

 private:
  static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
  void Run(HANDLE ready);

  std::mutex mutex_;
  std::vector<Event> events_;
  DWORD threadId_ = 0;
  std::thread thread_;
};

class KeyTargetWindow {
 public:
  struct Key {
    UINT message;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP
    WPARAM vk;
    LPARAM lParam;
    DWORD time;    // GetMessageTime of the message
  };

  explicit KeyTargetWindow(const std::wstring& title);
  ~KeyTargetWindow();
  KeyTargetWindow(const KeyTargetWindow&) = delete;
  KeyTargetWindow& operator=(const KeyTargetWindow&) = delete;

  HWND Handle() const { return window_; }
  // Makes the window the foreground window with the focus, from its thread.
  bool BringToFront();
  std::vector<Key> Keys();
  void Clear();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Run(const std::wstring& title, HANDLE ready);

  std::mutex mutex_;
  std::vector<Key> keys_;
  HWND window_ = nullptr;
  std::thread thread_;
};

}  // namespace win32tests
