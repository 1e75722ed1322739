#pragma once

// The smallest pieces of synthesised input, shared by the fixed actions, the
// key combinations and macro playback.

#include <cstdint>

#include "codes/KeyCodes.h"
#include "platform/VirtualKeys.h"

namespace actions {

// Every key of a combination or a macro is followed by this pause, so that
// the receiving program sees the keys as separate strokes.
constexpr uint32_t kKeyStrokePauseMs = 50;

// The actions name keys by the system's virtual-key codes.
namespace vk = platform::vk;

// One key event without scan code or extra information.
void SendKey(uint8_t virtualKey, uint32_t flags);

// One mouse event at no offset, carrying the extra information of the
// message being handled, read just before the event.
void SendMouse(uint32_t flags, int32_t data = 0);

// The left and right Shift, Ctrl and Alt keys are played as the plain key,
// so that programs that only look at the plain key see them.
uint8_t FoldSideModifier(uint8_t virtualKey);

// Presses or releases one key or mouse button of a combination or macro: a
// mouse button (0xC1 to 0xC3) as a bare button event, anything else as a key
// with its scan code in the current layout followed by the stroke pause.
void StrokeKeyOrButton(uint8_t code, bool release);

}  // namespace actions
