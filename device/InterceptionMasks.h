#pragma once

// Which buttons and keys the filter driver takes over. A button is taken
// over while its assigned function differs from its own code; a few are
// always taken over because the program itself performs what they do.

#include <cstdint>

#include "config/DeviceCatalogue.h"
#include "config/SettingsRecord.h"

namespace device {

struct InterceptionMasks {
  uint32_t mouseMask;     // sent with 0x22240C
  uint32_t keyMask;       // sent with 0x222410
  uint32_t extraKeyMask;  // sent with 0x222434, only when not 0
};

// Wheel tilt left and right.
constexpr uint32_t kInitialMouseMask = 0x180;
// Zoom in and out, the Word and Excel keys, and bit 0x40000.
constexpr uint32_t kInitialKeyMask = 0x19C0000;

// The masks for `device` with the assignments of `settings`. `deviceType`
// chooses which tables are looked at (1 mouse, 2 keyboard, 3 both); only the
// positions the model uses count.
InterceptionMasks ComputeInterceptionMasks(uint8_t deviceType, const config::tagVARNOK24G_UI_INFORMATION& device,
                                           const config::tagVARNOK24G_DATA_& settings);

// Clears the driver's three masks, then sends the masks of the current model
// (CurrentDevice) and its applied settings (ActiveSettings). False when the
// driver is closed or refuses a clear; no new mask is sent then.
bool SendInterceptionMasks(uint8_t deviceType);

}  // namespace device
