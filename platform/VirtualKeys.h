#pragma once

// The system's virtual-key codes that the program names in its own code.

#include <cstdint>

namespace platform {
namespace vk {

constexpr uint8_t kTab = 0x09;
constexpr uint8_t kShift = 0x10;
constexpr uint8_t kControl = 0x11;
constexpr uint8_t kMenu = 0x12;
constexpr uint8_t kLeft = 0x25;
constexpr uint8_t kRight = 0x27;
constexpr uint8_t kDelete = 0x2E;
constexpr uint8_t kLeftWin = 0x5B;
constexpr uint8_t kRightWin = 0x5C;
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
}  // namespace platform
