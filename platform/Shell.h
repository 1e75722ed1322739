#pragma once

// Opening files, programs and web addresses the way the desktop would when
// the user opens them: the program finds the right application for them.

#include <string>

#include "platform/Service.h"

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;

  // Opens `target` (a path, a registered program name or an address) with
  // the verb "open", shown normally, without an owner window. True when the
  // desktop accepted it.
  virtual bool Open(const std::u16string& target) = 0;
};

template <>
Shell& Service<Shell>::Default();

}  // namespace platform
