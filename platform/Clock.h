#pragma once

// Time as the program measures and spends it. Everything that pauses or
// looks at the time goes through here, so tests can check the exact pauses
// without waiting for them.

#include <cstdint>

#include "platform/Service.h"

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since some fixed point; wraps like the system's tick count.
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

template <>
Clock& Service<Clock>::Default();

}  // namespace platform
