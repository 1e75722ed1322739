#include "actions/EventDispatch.h"

#include <algorithm>
#include <iterator>

#include "config/FunctionCodes.h"
#include "config/FunctionKeyModels.h"

namespace actions {

using namespace config;

namespace {

// When a key's press is carried out by the program.
enum class KeyRule : uint8_t {
  OwnCheck,  // only when the key was given another function
  Always,    // whatever its function: its own function needs the program
  FKey,      // only on the models with media function keys
};

struct KeyEvent {
  uint32_t eventCode;
  uint8_t buttonCode;
  KeyRule rule;
};

// Sorted by event code.
constexpr KeyEvent kKeyEvents[] = {
    {0x400000B5, FN_KB_NEXT_TRACK, KeyRule::OwnCheck},
    {0x400000B6, FN_KB_PREV_TRACK, KeyRule::OwnCheck},
    {0x400000B7, FN_KB_MEDIA_STOP, KeyRule::OwnCheck},
    {0x400000CD, FN_KB_PLAY, KeyRule::OwnCheck},
    {0x400000E2, FN_KB_MUTE, KeyRule::OwnCheck},
    {0x400000E9, FN_KB_VOLUME_UP, KeyRule::OwnCheck},
    {0x400000EA, FN_KB_VOLUME_DOWN, KeyRule::OwnCheck},
    {0x40000183, FN_KB_MEDIA_SELECT, KeyRule::OwnCheck},
    {0x4000018A, FN_KB_MAIL, KeyRule::OwnCheck},
    {0x40000192, FN_KB_CALCULATOR, KeyRule::OwnCheck},
    {0x40000194, FN_KB_MY_COMPUTER, KeyRule::OwnCheck},
    {0x40000221, FN_KB_SEARCH, KeyRule::OwnCheck},
    {0x40000223, FN_KB_HOME, KeyRule::OwnCheck},
    {0x40000224, FN_KB_BACK, KeyRule::OwnCheck},
    {0x40000225, FN_KB_FORWARD, KeyRule::OwnCheck},
    {0x40000226, FN_KB_STOP, KeyRule::OwnCheck},
    {0x40000227, FN_KB_REFRESH, KeyRule::OwnCheck},
    {0x4000022A, FN_KB_FAVORITES, KeyRule::OwnCheck},
    {0x40000308, FN_KB_EXCEL, KeyRule::Always},
    {0x4000030D, FN_KB_WORD, KeyRule::Always},
    {0x400007FE, FN_KB_SLEEP, KeyRule::OwnCheck},
    {0x400007FF, FN_KB_CLOSE, KeyRule::OwnCheck},
    {kEventZoomA, FN_ZOOM_IN, KeyRule::OwnCheck},
    {kEventZoomB, FN_ZOOM_OUT, KeyRule::OwnCheck},
    {0x5000003A, FN_KB_BACK, KeyRule::FKey},          // F1
    {0x5000003B, FN_KB_FORWARD, KeyRule::FKey},       // F2
    {0x5000003C, FN_KB_HOME, KeyRule::FKey},          // F3
    {0x5000003D, FN_KB_MAIL, KeyRule::FKey},          // F4
    {0x5000003E, FN_KB_MEDIA_SELECT, KeyRule::FKey},  // F5
    {0x5000003F, FN_KB_PLAY, KeyRule::FKey},          // F6
    {0x50000040, FN_KB_MEDIA_STOP, KeyRule::FKey},    // F7
    {0x50000041, FN_KB_PREV_TRACK, KeyRule::FKey},    // F8
    {0x50000042, FN_KB_NEXT_TRACK, KeyRule::FKey},    // F9
    {0x50000043, FN_KB_VOLUME_DOWN, KeyRule::FKey},   // F10
    {0x50000044, FN_KB_VOLUME_UP, KeyRule::FKey},     // F11
    {0x50000045, FN_KB_MUTE, KeyRule::FKey},          // F12
};

constexpr bool SortedByEventCode() {
  for (std::size_t i = 1; i < std::size(kKeyEvents); ++i)
    if (kKeyEvents[i - 1].eventCode >= kKeyEvents[i].eventCode) return false;
  return true;
}
static_assert(SortedByEventCode(), "the key events are looked up by binary search");

const KeyEvent* FindKeyEvent(uint32_t eventCode) {
  const KeyEvent* end = std::end(kKeyEvents);
  const KeyEvent* it = std::lower_bound(std::begin(kKeyEvents), end, eventCode,
                                        [](const KeyEvent& row, uint32_t code) { return row.eventCode < code; });
  return it != end && it->eventCode == eventCode ? it : nullptr;
}

// Wheel, tilt and zoom events name a mouse button directly. The mouse's zoom
// buttons take the two zoom codes the other way round from the keyboard's.
uint8_t DirectMouseButton(uint32_t eventCode) {
  switch (eventCode) {
    case kEventWheelForward: return BTN_WHEEL_UP;
    case kEventWheelBack: return BTN_WHEEL_DOWN;
    case kEventTiltRight: return BTN_TILT_RIGHT;
    case kEventTiltLeft: return BTN_TILT_LEFT;
    case kEventZoomA: return BTN_ZOOM_OUT;
    case kEventZoomB: return BTN_ZOOM_IN;
    default: return 0;
  }
}

// Button codes of the bits of the mouse state byte: the fourth button (bit 3)
// is X button 1, the fifth (bit 4) X button 2.
constexpr uint8_t kStateBitButtons[] = {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE, BTN_XBUTTON1, BTN_XBUTTON2};

int FindButton(const ButtonDescription* buttons, std::size_t count, uint8_t buttonCode) {
  for (std::size_t i = 0; i < count; ++i)
    if (buttons[i].buttonCode == buttonCode) return static_cast<int>(i);
  return -1;
}

}  // namespace

CEventDispatcher::CEventDispatcher(AssignmentExecutor& executor, const tagVARNOK24G_UI_INFORMATION& device,
                                   const tagVARNOK24G_DATA_& settings)
    : executor_(executor), device_(device), settings_(settings) {}

int CEventDispatcher::FindMouseButton(uint8_t buttonCode) const {
  return FindButton(device_.mouseButtons, UsedMouseButtons(device_), buttonCode);
}

int CEventDispatcher::FindKeyboardButton(uint8_t buttonCode) const {
  return FindButton(device_.keys, UsedKeys(device_), buttonCode);
}

void CEventDispatcher::OnDriverEvent(uint32_t eventCode, uint8_t deviceType) {
  if (HasKeyboard(deviceType)) DispatchKeyboardEvent(eventCode);
  if (HasMouse(deviceType)) DispatchMouseEvent(eventCode);
}

void CEventDispatcher::DispatchKeyboardEvent(uint32_t eventCode) {
  const KeyEvent* key = FindKeyEvent(eventCode);
  if (key == nullptr) return;
  if (key->rule == KeyRule::FKey && !HasFunctionKeyMediaKeys(device_.modelValue)) return;
  const int position = FindKeyboardButton(key->buttonCode);
  if (position < 0) return;
  const ButtonAssignment& record = settings_.keyAssignments[position];
  if (key->rule == KeyRule::OwnCheck && record.functionCode == key->buttonCode) return;
  executor_.Execute(record);
}

void CEventDispatcher::DispatchMouseEvent(uint32_t eventCode) {
  if (const uint8_t button = DirectMouseButton(eventCode)) {
    const int position = FindMouseButton(button);
    if (position >= 0) executor_.Execute(settings_.mouseAssignments[position]);
    return;
  }
  if (eventCode >= 0x100) return;

  const auto previous = mouseButtonState;
  const auto current = static_cast<uint8_t>(eventCode);
  mouseButtonState = current;
  // A button acts when it goes down. An event in which any button goes up
  // does nothing, even if another one goes down in it.
  if (current == previous || (previous & ~current) != 0) return;
  const uint8_t pressed = current & ~previous;
  for (std::size_t bit = 0; bit < std::size(kStateBitButtons); ++bit) {
    if ((pressed & (1u << bit)) == 0) continue;
    const uint8_t button = kStateBitButtons[bit];
    const int position = FindMouseButton(button);
    if (position < 0) continue;
    const ButtonAssignment& record = settings_.mouseAssignments[position];
    if (record.functionCode != button) executor_.Execute(record);
  }
}

}  // namespace actions
