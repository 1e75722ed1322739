#pragma once

// The channel from the filter driver to the main window. The driver releases
// a semaphore once per intercepted press; a worker thread waits on it,
// fetches one event code per release and posts it to the main window as
// WM_DRIVER_EVENT (wParam = the 32-bit event code, lParam = 0). The channel
// also opens, enables and closes the driver.

#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/Handle.h"

namespace device {

// How long shutdown gives the event thread to end, and how long closing the
// driver waits for a fetch in progress, before giving up on it.
constexpr uint32_t kEventThreadEndWaitMs = 2000;

// With paced delivery, the most events posted to the target and not yet
// handled. Further events wait in the driver: a flood of presses then
// cannot bury the window's other messages (an exit command among them)
// under thousands of posted events, nor overflow its message queue.
constexpr int32_t kMaxEventsInFlight = 16;

// One value each for the whole process; the interception masks read the
// driver handle too. The event thread reads driver, semaphore, stop and
// target while the main thread may write them, so they are atomics: no read
// is torn. The thread holds `fetching` from reading the driver handle until
// its fetch has returned, so that closing the driver outside shutdown can
// wait for a fetch that may still be using the handle.
struct DriverChannelState {
  std::atomic<platform::Handle> driver{0};     // open control device; 0 while closed
  std::atomic<platform::Handle> semaphore{0};  // released by the driver once per event
  std::atomic<int32_t> stop{0};                // 1 once shutdown has begun
  std::atomic<platform::WindowHandle> target{0};
  std::atomic<platform::Handle> credits{0};  // paced delivery: one count per event the target may still take
  std::timed_mutex fetching;
  platform::Handle thread = 0;
  platform::WindowHandle hiddenWindow = 0;
};

DriverChannelState& DriverChannel();

class CUSBDriver {
 public:
  // Starts from a closed driver, no semaphore and a cleared stop flag.
  CUSBDriver();
  // Runs the shutdown if this object started the channel and nobody shut it
  // down, so no thread outlives a forgotten channel.
  ~CUSBDriver();
  CUSBDriver(const CUSBDriver&) = delete;
  CUSBDriver& operator=(const CUSBDriver&) = delete;

  // Creates the semaphore, the event thread and the hidden window; events
  // will be posted to `target`. Always true.
  bool StartEventChannel(platform::WindowHandle target);

  // Before StartEventChannel: the thread posts at most kMaxEventsInFlight
  // events the target has not reported handled with EventHandled.
  void PaceByHandledEvents();
  // The target has handled one posted event.
  void EventHandled();

  // Opens the control device and registers the semaphore with it. False,
  // with the driver handle 0, when either step fails.
  bool OpenDriver();

  // Opens the driver if needed, then switches it on. False only when it
  // could not be opened; a refused enable is not the caller's concern.
  bool EnableDriver();

  // Clears the mouse and key masks, unregisters and closes. The extra key
  // mask stays as it is. The handle is closed once no fetch of the event
  // thread is using it; a fetch still unanswered after the bounded wait
  // keeps it open for good. Always true.
  bool CloseDriver();

  // Clears the masks and unregisters if the driver is open, stops and wakes
  // the thread, waits a bounded time for it to end, and only then closes the
  // driver handle and the semaphore; a thread that does not end keeps both
  // open. Releases the thread handle and the hidden window.
  void ShutdownEventChannel();

  static uint32_t EventThread(void* parameter);

 private:
  bool started_ = false;
};

}  // namespace device
