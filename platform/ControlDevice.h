#pragma once

// The filter driver's control device: opened by name, spoken to with
// buffered control codes, closed. The driver itself lives outside the
// program; this service is the only way the core reaches it.

#include <cstdint>
#include <string>

#include "platform/Handle.h"
#include "platform/Service.h"

namespace platform {

class ControlDevice {
 public:
  virtual ~ControlDevice() = default;

  // Opens the device for reading and writing, shared for reading, only if it
  // exists. 0 when it cannot be opened (never an "invalid" sentinel).
  virtual Handle Open(const std::u16string& path) = 0;

  // Sends one control code. `input` and `output` may be the same buffer.
  // True when the device reports success; `output` is then filled.
  virtual bool Control(Handle device, uint32_t code, const void* input, uint32_t inputSize, void* output,
                       uint32_t outputSize) = 0;

  virtual void Close(Handle device) = 0;
};

template <>
ControlDevice& Service<ControlDevice>::Default();

}  // namespace platform
