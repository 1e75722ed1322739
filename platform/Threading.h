#pragma once

// Threads and counting semaphores. Handles are opaque values; a semaphore
// handle's value is also what the filter driver is given to release, so on
// Windows it is the kernel handle itself.

#include <cstdint>

#include "platform/Handle.h"
#include "platform/Service.h"

namespace platform {

using ThreadRoutine = uint32_t (*)(void* parameter);

class Threading {
 public:
  virtual ~Threading() = default;

  // An unnamed counting semaphore; 0 when it cannot be made.
  virtual Handle NewSemaphore(int32_t initialCount, int32_t maximumCount) = 0;

  // Adds `count`; false (and no change) when that would pass the maximum or
  // the handle is not a semaphore.
  virtual bool Release(Handle semaphore, int32_t count) = 0;

  // Waits without time-out until the count is above 0 and takes one. False
  // at once when the handle is not a semaphore.
  virtual bool Wait(Handle semaphore) = 0;

  // Starts `routine(parameter)` on a new thread with the given initial stack
  // size; 0 when no thread was started.
  virtual Handle StartThread(uint32_t stackSize, ThreadRoutine routine, void* parameter) = 0;

  // True when the thread has ended, waiting at most `timeoutMs` for it.
  virtual bool WaitForThread(Handle thread, uint32_t timeoutMs) = 0;

  // Closes a semaphore or thread handle. A closed thread handle does not
  // stop the thread.
  virtual void Close(Handle object) = 0;
};

template <>
Threading& Service<Threading>::Default();

}  // namespace platform
