#pragma once

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
    return real_.StartThread(stackSize, routine, parameter);
  }
  bool WaitForThread(platform::Handle thread, uint32_t timeoutMs) override {
    threadEnded = real_.WaitForThread(thread, timeoutMs);
    return threadEnded;
  }
  void Close(platform::Handle object) override { real_.Close(object); }

  int32_t semaphoreMaximum = 0;
  uint32_t threadStackSize = 0;
  bool threadEnded = false;

 private:
  platform::Threading& real_ = platform::Service<platform::Threading>::Default();
};

}  // namespace fakes
