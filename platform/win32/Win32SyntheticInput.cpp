#include "platform/SyntheticInput.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32SyntheticInput final : public SyntheticInput {
 public:
  void KeyEvent(uint8_t virtualKey, uint8_t scanCode, uint32_t flags, uintptr_t extraInfo) override {
    keybd_event(virtualKey, scanCode, flags, static_cast<ULONG_PTR>(extraInfo));
  }
  void MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uintptr_t extraInfo) override {
    // The wheel data is signed but travels in an unsigned field.
    mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), static_cast<DWORD>(data),
                static_cast<ULONG_PTR>(extraInfo));
  }
  uintptr_t MessageExtraInfo() override { return static_cast<uintptr_t>(GetMessageExtraInfo()); }
  ScreenPoint CursorPos() override {
    POINT point{};
    if (!GetCursorPos(&point)) return {0, 0};
    return {point.x, point.y};
  }
  void MoveCursor(ScreenPoint point) override { SetCursorPos(point.x, point.y); }
  bool MouseButtonsSwapped() override { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }
};

}  // namespace

template <>
SyntheticInput& Service<SyntheticInput>::Default() {
  static Win32SyntheticInput instance;
  return instance;
}

}  // namespace platform
