#pragma once

// The fixed actions a button can be given: clicks, key taps and chords,
// window switching, zoom and locking the session. Each sends one fixed
// sequence of synthesised input (programs react to the order of downs and
// ups, to the extended-key flag and to the pauses) and returns; none of
// them reports a failure: input the system refuses is silently lost.

#include <cstdint>

#include "platform/OperatingSystem.h"

namespace actions {

// Coarse system versions, as far as the actions care.
enum OsClass : int {
  kOsUnknown = 0,
  kOsWin9x = 1,
  kOsWinMe = 2,
  kOsWin2000 = 3,
  kOsWinXp = 4,        // also Server 2003
  kOsVista = 5,
  kOsWin7 = 6,         // and every later version: 6.1 to 6.3, 10.0, ...
};

// Sorts a reported version into the classes above. Every NT version after
// Vista is a Windows 7 as far as the actions go, 10.0 included.
int ClassifyOsVersion(const platform::OsVersionInfo& version);

// The class of the running system.
int OsVersionClass();

// Carries the primitives; it has no state and lives for one action.
class CFunction {
 public:
  void LeftClick();
  void RightClick();
  void MiddleClick();
  void XButton2Click();
  void XButton1Click();
  // Two clicks without a pause: the system's double-click timing decides.
  void DoubleClick();

  // One wheel notch: +120 forward, -120 back.
  void WheelNotch(int32_t data);

  // Opens the persistent window switcher (Ctrl+Win+Tab).
  void Flip3D();
  // Alt+Tab, holding Tab for 100 ms; on Vista and later one more tap of Alt
  // after another 100 ms.
  void SwitchWindow();

  // A key with the extended-key flag, down and up.
  void TapExtendedKey(uint8_t virtualKey);
  // Modifier down, key down, key up, modifier up, all extended, no pauses.
  void TapChord(uint8_t modifier, uint8_t key);

  // Ctrl with the wheel, or Ctrl with the plus or minus key over windows
  // that zoom only by keyboard.
  void ZoomIn();
  void ZoomOut();

  void LockStation();

 private:
  void Zoom(uint8_t zoomKey, int32_t wheelData);
};

}  // namespace actions
