#pragma once

// A real top-level window that records the driver events and device-change
// notices it receives, and a pump that runs its message loop until a
// condition holds.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace win32tests {

class EventTargetWindow {
 public:
  struct DeviceChange {
    WPARAM event;
    bool arrival;          // ReadArrival accepted it
    std::u16string name;   // the interface name it read
  };

  EventTargetWindow();
  ~EventTargetWindow();
  EventTargetWindow(const EventTargetWindow&) = delete;
  EventTargetWindow& operator=(const EventTargetWindow&) = delete;

  HWND Handle() const { return window_; }
  uintptr_t Value() const { return reinterpret_cast<uintptr_t>(window_); }

  // Runs the message loop until `done` holds; false when it did not within
  // `limitMs` (which only keeps a broken path from hanging the run).
  bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 20000);
  // Posts the window a marker and runs the loop until it has been handled:
  // everything posted to the window before it has been handled too.
  bool Drain(DWORD limitMs = 20000);

  std::vector<uint32_t> events;  // wParam of each WM_DRIVER_EVENT, in order
  std::vector<LPARAM> eventLParams;
  std::vector<DeviceChange> deviceChanges;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  bool marked_ = false;
};

}  // namespace win32tests
