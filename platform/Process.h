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

// Drive and directory of the program file, ending in a separator: the folder
// every data file and library of the program is read from, whatever the
// current directory is.
std::u16string ExeFolderOf(const std::u16string& executablePath);

}  // namespace platform
