#pragma once

namespace app {

// Set at start-up when the device list names exactly one model: every device
// choice (tray sub-menu, drop-down) is then hidden.
bool IsSingleDevice();
void SetSingleDevice(bool single);

}  // namespace app
