#include "actions/KeyStroke.h"

#include "platform/Clock.h"
#include "platform/KeyboardLayout.h"
#include "platform/SyntheticInput.h"

namespace actions {

using platform::Service;
using platform::SyntheticInput;

void SendKey(uint8_t virtualKey, uint32_t flags) {
  Service<SyntheticInput>::Get().KeyEvent(virtualKey, 0, flags, 0);
}

void SendMouse(uint32_t flags, int32_t data) {
  SyntheticInput& input = Service<SyntheticInput>::Get();
  input.MouseEvent(flags, 0, 0, data, input.MessageExtraInfo());
}

uint8_t FoldSideModifier(uint8_t virtualKey) {
  switch (virtualKey) {
    case vk::kLeftShift:
    case vk::kRightShift:
      return vk::kShift;
    case vk::kLeftControl:
    case vk::kRightControl:
      return vk::kControl;
    case vk::kLeftMenu:
    case vk::kRightMenu:
      return vk::kMenu;
    default:
      return virtualKey;
  }
}

void StrokeKeyOrButton(uint8_t code, bool release) {
  using namespace platform;
  switch (code) {
    case codes::kLeftButtonCode:
      SendMouse(release ? kMouseLeftUp : kMouseLeftDown);
      return;
    case codes::kRightButtonCode:
      SendMouse(release ? kMouseRightUp : kMouseRightDown);
      return;
    case codes::kMiddleButtonCode:
      SendMouse(release ? kMouseMiddleUp : kMouseMiddleDown);
      return;
    default:
      break;
  }
  const uint8_t key = FoldSideModifier(code);
  // keybd_event takes the scan code as one byte.
  const auto scan = static_cast<uint8_t>(Service<KeyboardLayout>::Get().ScanCodeOf(key));
  Service<SyntheticInput>::Get().KeyEvent(key, scan, release ? kKeyUp : kKeyDown, 0);
  Service<Clock>::Get().Sleep(kKeyStrokePauseMs);
}

}  // namespace actions
