#include "device/InterceptionMasks.h"

#include "config/FunctionKeyModels.h"
#include "config/SettingsStore.h"
#include "device/DriverControlCodes.h"
#include "device/USBDriver.h"
#include "platform/ControlDevice.h"

namespace device {
namespace {

using platform::Handle;

enum class MaskKind { kMouse, kKey };

struct MouseRow {
  uint8_t buttonCode;
  MaskKind mask;
  uint32_t bit;
};

constexpr MouseRow kMouseTable[] = {
    {1, MaskKind::kMouse, 0x1},         // left
    {2, MaskKind::kMouse, 0x2},         // right
    {3, MaskKind::kMouse, 0x4},         // middle
    {5, MaskKind::kMouse, 0x8},         // X button 1 (fourth)
    {4, MaskKind::kMouse, 0x10},        // X button 2 (fifth)
    {9, MaskKind::kMouse, 0x20},        // wheel forward
    {10, MaskKind::kMouse, 0x40},       // wheel back
    {16, MaskKind::kMouse, 0x80},       // wheel tilt left
    {17, MaskKind::kMouse, 0x100},      // wheel tilt right
    {86, MaskKind::kKey, 0x80000},      // zoom in
    {87, MaskKind::kKey, 0x100000},     // zoom out
};

struct KeyRow {
  uint8_t buttonCode;
  uint32_t keyBit;
  // Bit n - 1 stands for Fn on the models with the extra mask; 0 for keys
  // that go to the key mask on every model.
  uint32_t extraBit;
};

constexpr KeyRow kKeyTable[] = {
    {110, 0x1, 0x20},      // play/pause, F6
    {111, 0x2, 0x10},      // media select, F5
    {114, 0x4, 0x40},      // stop, F7
    {113, 0x8, 0x100},     // next track, F9
    {112, 0x10, 0x80},     // previous track, F8
    {116, 0x20, 0x400},    // volume up, F11
    {117, 0x40, 0x200},    // volume down, F10
    {102, 0x80, 0x8},      // mail, F4
    {115, 0x400, 0x800},   // mute, F12
    {103, 0x1000, 0x4},    // home, F3
    {96, 0x2000, 0x1},     // back, F1
    {97, 0x4000, 0x2},     // forward, F2
    {108, 0x100, 0},       // file browser
    {109, 0x200, 0},       // calculator
    {101, 0x800, 0},       // search
    {98, 0x8000, 0},       // browser stop
    {99, 0x10000, 0},      // refresh
    {100, 0x20000, 0},     // favourites
    {104, 0x200000, 0},    // sleep
    {105, 0x400000, 0},    // close
    {106, 0x800000, 0},    // Word key
    {107, 0x1000000, 0},   // Excel key
};

void TakeOverMouseButton(uint8_t buttonCode, InterceptionMasks& masks) {
  for (const MouseRow& row : kMouseTable) {
    if (row.buttonCode != buttonCode) continue;
    (row.mask == MaskKind::kMouse ? masks.mouseMask : masks.keyMask) |= row.bit;
    return;
  }
}

void TakeOverKey(uint8_t buttonCode, bool extraKeys, InterceptionMasks& masks) {
  for (const KeyRow& row : kKeyTable) {
    if (row.buttonCode != buttonCode) continue;
    if (extraKeys && row.extraBit != 0) {
      masks.extraKeyMask |= row.extraBit;
    } else {
      masks.keyMask |= row.keyBit;
    }
    return;
  }
}

bool SendMask(Handle driver, uint32_t code, uint32_t mask) {
  return platform::Service<platform::ControlDevice>::Get().Control(driver, code, &mask, sizeof mask, nullptr, 0);
}

}  // namespace

InterceptionMasks ComputeInterceptionMasks(uint8_t deviceType, const config::tagVARNOK24G_UI_INFORMATION& device,
                                           const config::tagVARNOK24G_DATA_& settings) {
  InterceptionMasks masks{kInitialMouseMask, kInitialKeyMask, 0};
  if (config::HasMouse(deviceType)) {
    const std::size_t count = config::UsedMouseButtons(device);
    for (std::size_t k = 0; k < count; ++k) {
      const uint8_t code = device.mouseButtons[k].buttonCode;
      if (settings.mouseAssignments[k].functionCode != code) TakeOverMouseButton(code, masks);
    }
  }
  if (config::HasKeyboard(deviceType)) {
    // Function-key media keys are masked separately.
    const bool extraKeys = config::HasFunctionKeyMediaKeys(device.modelValue);
    const std::size_t count = config::UsedKeys(device);
    for (std::size_t k = 0; k < count; ++k) {
      const uint8_t code = device.keys[k].buttonCode;
      if (settings.keyAssignments[k].functionCode != code) TakeOverKey(code, extraKeys, masks);
    }
  }
  return masks;
}

bool SendInterceptionMasks(uint8_t deviceType) {
  const Handle driver = DriverChannel().driver;
  if (driver == 0) return false;
  // Clearing first means a refused send below leaves buttons passed through
  // rather than taken over with no assignment behind them.
  if (!SendMask(driver, kIoctlMouseMask, 0)) return false;
  if (!SendMask(driver, kIoctlKeyMask, 0)) return false;
  if (!SendMask(driver, kIoctlExtraKeyMask, 0)) return false;
  const InterceptionMasks masks = ComputeInterceptionMasks(deviceType, config::CurrentDevice, config::ActiveSettings);
  SendMask(driver, kIoctlMouseMask, masks.mouseMask);
  SendMask(driver, kIoctlKeyMask, masks.keyMask);
  if (masks.extraKeyMask != 0) SendMask(driver, kIoctlExtraKeyMask, masks.extraKeyMask);
  return true;
}

}  // namespace device
