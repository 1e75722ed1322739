#pragma once

// The current keyboard layout, asked what character a key types when no
// modifier is held. Used to name keys that have no fixed name.

#include <cstdint>

#include "platform/Service.h"

namespace platform {

class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;

  // Scan code of a virtual key in the current layout (MapVirtualKeyW with
  // the virtual-key-to-scan-code mapping); 0 when the layout has none.
  virtual uint32_t ScanCodeOf(uint32_t virtualKey) = 0;

  // What the key types with every key and toggle released (ToAscii with an
  // all-zero keyboard state). Returns the number of characters produced,
  // 0 when none; the first one is stored in `character`.
  virtual int TranslateUnshifted(uint32_t virtualKey, uint32_t scanCode, uint16_t& character) = 0;
};

template <>
KeyboardLayout& Service<KeyboardLayout>::Default();

}  // namespace platform
