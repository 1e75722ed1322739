#pragma once

// Facts about the running program.

#include <string>

#include "platform/Service.h"

namespace platform {

class Process {
 public:
  virtual ~Process() = default;
  // Full path of the program file (not the current directory).
  virtual std::u16string ExecutablePath() = 0;
};

template <>
Process& Service<Process>::Default();

}  // namespace platform
