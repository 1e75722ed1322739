#pragma once

// Diagnostics for a developer with a debugger attached; the user never sees
// them.

#include <string>

#include "platform/Service.h"

namespace platform {

class DebugOutput {
 public:
  virtual ~DebugOutput() = default;
  virtual void Write(const std::u16string& text) = 0;
};

template <>
DebugOutput& Service<DebugOutput>::Default();

}  // namespace platform
