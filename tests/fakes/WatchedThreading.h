#pragma once

#include <vector>

#include "platform/Threading.h"

namespace fakes {

// The build's own threads and semaphores, noting what the channel asked for
// and whether shutdown saw the event thread end.
class WatchedThreading final : public platform::Threading {
 public:
  platform::Handle NewSemaphore(int32_t initial, int32_t maximum) override {
    semaphoreMaximum = maximum;
    return real_.NewSemaphore(initial, maximum);
  }
  bool Release(platform::Handle semaphore, int32_t count) override { return real_.Release(semaphore, count); }
  bool Wait(platform::Handle semaphore) override { return real_.Wait(semaphore); }
  platform::Handle StartThread(uint32_t stackSize, platform::ThreadRoutine routine, void* parameter) override {
    threadStackSize = stackSize;
    thread_ = real_.StartThread(stackSize, routine, parameter);
    return thread_;
  }
  bool WaitForThread(platform::Handle thread, uint32_t timeoutMs) override {
    // A bounded wait that runs out: the thread goes on as it is.
    threadEnded = !endWaitRunsOut && real_.WaitForThread(thread, timeoutMs);
    return threadEnded;
  }
  void Close(platform::Handle object) override {
    closed.push_back(object);
    // The handle of a thread left running stays usable for FinishThread.
    if (endWaitRunsOut && object == thread_) return;
    real_.Close(object);
  }

  // After a wait that ran out: waits until the thread has really ended and
  // closes its handle. False when it is still running after 10 s.
  bool FinishThread() {
    const bool ended = real_.WaitForThread(thread_, 10000);
    real_.Close(thread_);
    return ended;
  }

  int32_t semaphoreMaximum = 0;
  uint32_t threadStackSize = 0;
  bool threadEnded = false;
  // Makes every wait for a thread's end give up at once, as if the thread
  // were stuck for longer than the wait.
  bool endWaitRunsOut = false;
  std::vector<platform::Handle> closed;

 private:
  platform::Threading& real_ = platform::Service<platform::Threading>::Default();
  platform::Handle thread_ = 0;
};

}  // namespace fakes
