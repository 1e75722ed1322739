#include "actions/InputPrimitives.h"

#include <string>

#include "actions/KeyStroke.h"
#include "platform/Clock.h"
#include "platform/OperatingSystem.h"
#include "platform/SyntheticInput.h"
#include "platform/WindowInspection.h"

namespace actions {

using namespace platform;

namespace {

constexpr uint32_t kPlatformWin9x = 1;
constexpr uint32_t kPlatformNt = 2;

// Alt+Tab holds Tab this long so the switcher registers it.
constexpr uint32_t kSwitchPauseMs = 100;

// Windows that zoom with Ctrl and the plus or minus key but not with Ctrl
// and the wheel.
bool ZoomsByKeyboard(const std::u16string& className) {
  return className == u"MozillaWindowClass" || className == u"AVL_AVView" || className == u"PSViewC";
}

}  // namespace

int ClassifyOsVersion(const OsVersionInfo& version) {
  if (version.platformId == kPlatformWin9x) {
    if (version.major != 4) return kOsUnknown;
    return version.minor < 90 ? kOsWin9x : kOsWinMe;
  }
  if (version.platformId != kPlatformNt) return kOsUnknown;
  if (version.major == 5) return version.minor == 0 ? kOsWin2000 : kOsWinXp;
  if (version.major == 6 && version.minor == 0) return kOsVista;
  // A program that declares itself ready for the current systems is told
  // their true version, 10.0 on Windows 10 and 11; those have the switcher
  // of Vista and 7 as much as 6.2 and 6.3 do.
  if (version.major >= 6) return kOsWin7;
  return kOsUnknown;
}

int OsVersionClass() { return ClassifyOsVersion(Service<OperatingSystem>::Get().Version()); }

void CFunction::LeftClick() {
  SendMouse(kMouseLeftDown);
  SendMouse(kMouseLeftUp);
}

void CFunction::RightClick() {
  SendMouse(kMouseRightDown);
  SendMouse(kMouseRightUp);
}

void CFunction::MiddleClick() {
  SendMouse(kMouseMiddleDown);
  SendMouse(kMouseMiddleUp);
}

void CFunction::XButton2Click() {
  SendMouse(kMouseXDown, kXButton2);
  SendMouse(kMouseXUp, kXButton2);
}

void CFunction::XButton1Click() {
  SendMouse(kMouseXDown, kXButton1);
  SendMouse(kMouseXUp, kXButton1);
}

void CFunction::DoubleClick() {
  LeftClick();
  LeftClick();
}

void CFunction::WheelNotch(int32_t data) { SendMouse(kMouseWheel, data); }

void CFunction::Flip3D() {
  SendKey(vk::kControl, kKeyExtended);
  SendKey(vk::kLeftWin, kKeyExtended);
  SendKey(vk::kTab, kKeyExtended);
  SendKey(vk::kTab, kKeyExtended | kKeyUp);
  SendKey(vk::kLeftWin, kKeyExtended | kKeyUp);
  SendKey(vk::kControl, kKeyExtended | kKeyUp);
}

void CFunction::SwitchWindow() {
  Clock& clock = Service<Clock>::Get();
  SendKey(vk::kLeftMenu, kKeyExtended);
  SendKey(vk::kTab, kKeyDown);
  clock.Sleep(kSwitchPauseMs);
  SendKey(vk::kTab, kKeyUp);
  SendKey(vk::kLeftMenu, kKeyExtended | kKeyUp);
  if (OsVersionClass() < kOsVista) return;
  // From Vista on the switcher can stay open after Alt+Tab; a lone Alt tap
  // closes it on the chosen window.
  clock.Sleep(kSwitchPauseMs);
  SendKey(vk::kLeftMenu, kKeyExtended);
  SendKey(vk::kLeftMenu, kKeyExtended | kKeyUp);
}

void CFunction::TapExtendedKey(uint8_t virtualKey) {
  SendKey(virtualKey, kKeyExtended);
  SendKey(virtualKey, kKeyExtended | kKeyUp);
}

void CFunction::TapChord(uint8_t modifier, uint8_t key) {
  SendKey(modifier, kKeyExtended);
  SendKey(key, kKeyExtended);
  SendKey(key, kKeyExtended | kKeyUp);
  SendKey(modifier, kKeyExtended | kKeyUp);
}

void CFunction::ZoomIn() { Zoom(vk::kOemPlus, kWheelNotch); }

void CFunction::ZoomOut() { Zoom(vk::kOemMinus, -kWheelNotch); }

void CFunction::Zoom(uint8_t zoomKey, int32_t wheelData) {
  WindowInspection& windows = Service<WindowInspection>::Get();
  const WindowHandle under = windows.WindowAt(Service<SyntheticInput>::Get().CursorPos());
  if (ZoomsByKeyboard(windows.ClassName(under))) {
    TapChord(vk::kControl, zoomKey);
    return;
  }
  SendKey(vk::kControl, kKeyExtended);
  SendMouse(kMouseWheel, wheelData);
  SendKey(vk::kControl, kKeyExtended | kKeyUp);
}

void CFunction::LockStation() {
  OperatingSystem& os = Service<OperatingSystem>::Get();
  if (!os.IsWow64Process()) {
    os.LockSession();
    return;
  }
  // A 32-bit program on a 64-bit system locks with the file-system
  // redirection switched off; without the switch it does not lock at all.
  uintptr_t previous = 0;
  if (!os.DisableFileSystemRedirection(previous)) return;
  os.LockSession();
  os.RevertFileSystemRedirection(previous);
}

}  // namespace actions
