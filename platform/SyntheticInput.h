#pragma once

// Keyboard and mouse input made up by the program and put into the system's
// input stream, as if the user had typed or clicked, plus the mouse cursor
// the input acts at.

#include <cstdint>

#include "platform/Service.h"

namespace platform {

struct ScreenPoint {
  int32_t x;
  int32_t y;
};

// Flags of a key event.
constexpr uint32_t kKeyDown = 0x0;
constexpr uint32_t kKeyExtended = 0x1;
constexpr uint32_t kKeyUp = 0x2;

// Flags of a mouse event.
constexpr uint32_t kMouseLeftDown = 0x0002;
constexpr uint32_t kMouseLeftUp = 0x0004;
constexpr uint32_t kMouseRightDown = 0x0008;
constexpr uint32_t kMouseRightUp = 0x0010;
constexpr uint32_t kMouseMiddleDown = 0x0020;
constexpr uint32_t kMouseMiddleUp = 0x0040;
constexpr uint32_t kMouseXDown = 0x0080;
constexpr uint32_t kMouseXUp = 0x0100;
constexpr uint32_t kMouseWheel = 0x0800;
constexpr uint32_t kMouseAbsolute = 0x8000;

// Data of the X-button and wheel events.
constexpr int32_t kXButton1 = 1;
constexpr int32_t kXButton2 = 2;
constexpr int32_t kWheelNotch = 120;

class SyntheticInput {
 public:
  virtual ~SyntheticInput() = default;

  // One key going down or up (keybd_event).
  virtual void KeyEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags, uintptr_t extraInfo) = 0;

  // One mouse event (mouse_event): button changes, wheel data, and with the
  // absolute flag a position.
  virtual void MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uintptr_t extraInfo) = 0;

  // The extra information of the last message this thread read
  // (GetMessageExtraInfo); mouse events pass it on.
  virtual uintptr_t MessageExtraInfo() = 0;

  // The cursor in screen coordinates; (0, 0) when it cannot be read.
  virtual ScreenPoint CursorPos() = 0;
  virtual void MoveCursor(ScreenPoint point) = 0;

  // Whether the user has swapped the primary and secondary mouse buttons.
  virtual bool MouseButtonsSwapped() = 0;
};

template <>
SyntheticInput& Service<SyntheticInput>::Default();

}  // namespace platform
