#pragma once

// Windows that exist only to be there: never shown, no behaviour of their
// own beyond the system's default handling.

#include <string>

#include "platform/Handle.h"
#include "platform/Service.h"

namespace platform {

class HiddenWindow {
 public:
  virtual ~HiddenWindow() = default;

  // Registers `className` (once, with no style, cursor, background or icon)
  // and creates a 1x1 pop-up window at (1, 1) named `windowName`, with no
  // parent and no menu. 0 when it cannot be created.
  virtual WindowHandle Create(const std::u16string& className, const std::u16string& windowName) = 0;

  virtual void Destroy(WindowHandle window) = 0;
};

template <>
HiddenWindow& Service<HiddenWindow>::Default();

}  // namespace platform
