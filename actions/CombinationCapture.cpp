#include "actions/CombinationCapture.h"

#include "codes/KeyCodes.h"
#include "codes/KeyboardHookLibrary.h"
#include "platform/VirtualKeys.h"

namespace actions {
namespace {

namespace vk = platform::vk;

// The modifier bit a key stands for, 0 for an ordinary key. The hook
// reports the left and right keys by their own codes; the plain codes are
// taken too, as other sources of reports may send them.
uint8_t ModifierBit(uint8_t virtualKey) {
  switch (virtualKey) {
    case vk::kShift:
    case vk::kLeftShift:
    case vk::kRightShift:
      return codes::kComboShift;
    case vk::kControl:
    case vk::kLeftControl:
    case vk::kRightControl:
      return codes::kComboCtrl;
    case vk::kMenu:
    case vk::kLeftMenu:
    case vk::kRightMenu:
      return codes::kComboAlt;
    case vk::kLeftWin:
    case vk::kRightWin:
      return codes::kComboWin;
    default:
      return 0;
  }
}

}  // namespace

bool CombinationCapture::OnHookKey(uint32_t virtualKey, uint32_t flags) {
  if (virtualKey == lastKey_ && flags == lastFlags_) return false;
  lastKey_ = virtualKey;
  lastFlags_ = flags;
  const bool released = (flags & kbgetkey::kKeyReleasedFlag) != 0;

  if (!recording_) {
    // A release while nothing is being recorded belongs to no combination.
    if (released) return false;
    recording_ = true;
    firstKey_ = virtualKey;
    combination_ = Combination{};
  }
  if (released) {
    if (virtualKey == firstKey_) recording_ = false;
    return false;
  }
  Add(static_cast<uint8_t>(virtualKey));
  return true;
}

void CombinationCapture::Add(uint8_t virtualKey) {
  if (const uint8_t bit = ModifierBit(virtualKey)) {
    combination_.modifiers |= bit;
  } else if (combination_.key1 == 0 || combination_.key1 == virtualKey) {
    combination_.key1 = virtualKey;
  } else if (combination_.key2 == 0) {
    combination_.key2 = virtualKey;
  }
}

}  // namespace actions
