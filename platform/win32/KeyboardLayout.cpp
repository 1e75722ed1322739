#include "platform/KeyboardLayout.h"

#include <windows.h>

namespace platform {
namespace {

class Win32KeyboardLayout : public KeyboardLayout {
 public:
  uint32_t ScanCodeOf(uint32_t virtualKey) override { return MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC); }

  int TranslateUnshifted(uint32_t virtualKey, uint32_t scanCode, uint16_t& character) override {
    BYTE state[256] = {};
    WORD produced[2] = {};
    const int count = ToAscii(virtualKey, scanCode, state, produced, 0);
    if (count <= 0) return 0;
    character = produced[0];
    return count;
  }
};

}  // namespace
}  // namespace platform

template <>
platform::KeyboardLayout& platform::Service<platform::KeyboardLayout>::Default() {
  static Win32KeyboardLayout layout;
  return layout;
}
