#pragma once

// The smallest pieces of synthesised input, shared by the fixed actions, the
// key combinations and macro playback.

#include <cstdint>

namespace actions {

// Every key of a combination or a macro is followed by this pause, so that
// the receiving program sees the keys as separate strokes.
constexpr uint32_t kKeyStrokePauseMs = 50;

// Combination and macro codes that stand for mouse buttons, not keys.
constexpr uint8_t kLeftButtonCode = 0xC1;
constexpr uint8_t kRightButtonCode = 0xC2;
constexpr uint8_t kMiddleButtonCode = 0xC3;

// Virtual keys the actions use.
namespace vk {
constexpr uint8_t kTab = 0x09;
constexpr uint8_t kShift = 0x10;
constexpr uint8_t kControl = 0x11;
constexpr uint8_t kMenu = 0x12;
constexpr uint8_t kLeft = 0x25;
constexpr uint8_t kRight = 0x27;
constexpr uint8_t kDelete = 0x2E;
constexpr uint8_t kLeftWin = 0x5B;
constexpr uint8_t kF4 = 0x73;
constexpr uint8_t kLeftShift = 0xA0;
constexpr uint8_t kRightShift = 0xA1;
constexpr uint8_t kLeftControl = 0xA2;
constexpr uint8_t kRightControl = 0xA3;
constexpr uint8_t kLeftMenu = 0xA4;
constexpr uint8_t kRightMenu = 0xA5;
constexpr uint8_t kVolumeMute = 0xAD;
constexpr uint8_t kVolumeDown = 0xAE;
constexpr uint8_t kVolumeUp = 0xAF;
constexpr uint8_t kMediaNextTrack = 0xB0;
constexpr uint8_t kMediaPrevTrack = 0xB1;
constexpr uint8_t kMediaStop = 0xB2;
constexpr uint8_t kMediaPlayPause = 0xB3;
constexpr uint8_t kOemPlus = 0xBB;
constexpr uint8_t kOemMinus = 0xBD;
}  // namespace vk

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
