#pragma once

// Turns an event code from the filter driver into a press of one of the
// current model's buttons and runs that button's assignment. The main window
// hands every WM_DRIVER_EVENT here, on the user-interface thread.
//
// Event codes:
//   0x00 - 0xFF                mouse button state, bit i = button i down
//   0x101 / 0x1FF              wheel one notch forward / back
//   0x201 / 0x2FF              wheel tilted right / left
//   0x40000000 + usage         a key of the consumer page (media keys, zoom)
//   0x50000000 + usage         a key of the keyboard page (F1 to F12)

#include <cstdint>

#include "actions/ActionExecutor.h"
#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"

namespace actions {

constexpr uint32_t kEventWheelForward = 0x101;
constexpr uint32_t kEventWheelBack = 0x1FF;
constexpr uint32_t kEventTiltRight = 0x201;
constexpr uint32_t kEventTiltLeft = 0x2FF;
constexpr uint32_t kEventZoomA = 0x40002003;
constexpr uint32_t kEventZoomB = 0x40002103;

class CEventDispatcher {
 public:
  // Reads the model in use and its applied settings at each event; by
  // default the process-wide CurrentDevice and ActiveSettings.
  explicit CEventDispatcher(AssignmentExecutor& executor,
                            const config::tagVARNOK24G_UI_INFORMATION& device = config::CurrentDevice,
                            const config::tagVARNOK24G_DATA_& settings = config::ActiveSettings);

  // The handler of WM_DRIVER_EVENT. `deviceType` is the main window's: 1
  // mouse, 2 keyboard, 3 both (the keyboard half runs first).
  void OnDriverEvent(uint32_t eventCode, uint8_t deviceType);

  void DispatchKeyboardEvent(uint32_t eventCode);
  void DispatchMouseEvent(uint32_t eventCode);

  // Position of the first of the model's mouse buttons (keys) with this
  // button code, or -1.
  int FindMouseButton(uint8_t buttonCode) const;
  int FindKeyboardButton(uint8_t buttonCode) const;

  // The button-state byte of the last mouse state event: 0 at start, kept
  // for the whole run, across model changes too.
  uint8_t MouseButtonState() const { return mouseButtonState; }

 private:
  AssignmentExecutor& executor_;
  const config::tagVARNOK24G_UI_INFORMATION& device_;
  const config::tagVARNOK24G_DATA_& settings_;
  uint8_t mouseButtonState = 0;
};

}  // namespace actions
