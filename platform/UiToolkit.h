#pragma once

// The windowing toolkit a process starts before it shows anything: the
// common control classes and the image library that decodes PNG pictures.

#include <cstdint>

#include "platform/Service.h"

namespace platform {

class UiToolkit {
 public:
  virtual ~UiToolkit() = default;
  // Registers the control classes and starts the image library; returns the
  // image library's token for Stop. Failures are not reported: pictures that
  // cannot be decoded later simply show as empty.
  virtual std::uintptr_t Start() = 0;
  virtual void Stop(std::uintptr_t token) = 0;
};

template <>
UiToolkit& Service<UiToolkit>::Default();

}  // namespace platform
