#pragma once

// Time for the program's waits: every pause of a synthesised action and
// every measured gap goes through here, so tests can check the exact pauses
// without waiting for them.

#include <cstdint>

#include "platform/Service.h"

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds since an arbitrary start, wrapping around like the system
  // tick count.
  virtual uint32_t TickCount() = 0;

  // Suspends the calling thread for `milliseconds`.
  virtual void Sleep(uint32_t milliseconds) = 0;

  // Sleeps up to `milliseconds`, but wakes as soon as a message is posted
  // to the calling thread, leaving it queued; true when it woke early.
  // Where nothing can post, it is a plain sleep.
  virtual bool SleepUntilPosted(uint32_t milliseconds) {
    Sleep(milliseconds);
    return false;
  }
};

template <>
Clock& Service<Clock>::Default();

}  // namespace platform
