#pragma once

// Handing a file, program or web address to the system to open, as a double
// click in the file manager would.

#include <string>

#include "platform/Service.h"

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens `target` with the verb "open" and no owner window, shown normally.
  // `parameters` may be empty. True when the system accepted it.
  virtual bool Open(const std::u16string& target, const std::u16string& parameters) = 0;
};

template <>
Shell& Service<Shell>::Default();

}  // namespace platform
