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

// Handles everything queued for this thread.
void PumpPending();
// Runs `pump` (the caller's message loop) until `done` holds or `limitMs`
// passes; the limit only keeps a broken path from hanging the run.
bool WaitUntil(const std::function<bool()>& done, DWORD limitMs = 10000);
// The same, with the caller's own way of handling what is queued.
bool WaitUntil(const std::function<bool()>& done, DWORD limitMs, const std::function<void()>& pumpOnce);

// The marker: a key no keyboard has and no program acts on, sent into the
// system's input after the input a test watches. Input arrives everywhere in
// the order it was sent, so once the marker has arrived, everything sent
// before it has too; this is how a test knows that nothing more follows
// without waiting for a while. The watches and windows below keep the
// marker out of what they record.
constexpr WORD kMarkerKey = 0xE8;  // unassigned
// Sends the marker (down and up).
void SendMarker();
// Sends the marker and runs `pumpOnce` (one round of the caller's message
// loop) until this thread has taken the marker from its queue: the input
// and posted messages queued for the thread before it have then been taken
// too, whichever loop took them. The keyboard focus must be on a window of
// this thread. False when the marker did not come within `limitMs`.
bool PumpUntilMarkerTaken(const std::function<void()>& pumpOnce, DWORD limitMs = 20000);

class InputWatch {
 public:
  struct Event {
    bool keyboard;   // keyboard: code is the virtual key; mouse: the mouse message
    uint32_t code;
    uint32_t flags;  // the hook's flags (extended, injected, up, ...)
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
  // Sends the marker and waits until the hooks have seen it: every event
  // sent before is then in Events(). False when it did not come.
  bool AllArrived(DWORD limitMs = 20000);

 private:
  static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
  void Run(HANDLE ready);

  std::mutex mutex_;
  std::vector<Event> events_;
  int markers_ = 0;  // marker releases seen
  DWORD threadId_ = 0;
  std::thread thread_;
};

class KeyTargetWindow {
 public:
  struct Key {
    UINT message;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP
    WPARAM vk;
    LPARAM lParam;
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
  // Sends the marker and waits until it reaches the window: every key sent
  // before it that the window was to get is then in Keys().
  bool AllArrived(DWORD limitMs = 20000);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Run(const std::wstring& title, HANDLE ready);

  std::mutex mutex_;
  std::vector<Key> keys_;
  int markers_ = 0;  // marker releases received
  HWND window_ = nullptr;
  std::thread thread_;
};

}  // namespace win32tests
