#pragma once

// Contract of KBGetKey.dll, the keyboard-hook library beside the program:
// while switched on it reports every key press and release in the system to
// one window of the program. The macro editor records macros with it and
// the combination dialog captures combinations with it; each loads the
// library from the program's folder while it is open. Both sides include
// this header, so it uses no system header.
//
// Calling order: "installhook" with the window, "SetHookStatus" off or on,
// any number of further switches, then on closing "SetHookStatus" off,
// "removehook", and the library is released.

#include <cstdint>

#include "codes/LibraryCall.h"

namespace kbgetkey {

inline constexpr char16_t kLibraryFile[] = u"KBGetKey.dll";

// The window that is to receive the keys.
inline constexpr char kInstallHook[] = "installhook";
using InstallHookFunction = void VN24G_LIBRARY_CALL(uintptr_t window);

// kHookOn: every key press and release from now on is delivered; kHookOff:
// none is.
inline constexpr char kSetHookStatus[] = "SetHookStatus";
using SetHookStatusFunction = void VN24G_LIBRARY_CALL(int32_t status);
constexpr int32_t kHookOff = 0;
constexpr int32_t kHookOn = 1;

// No key is delivered after it; the library can then be released.
inline constexpr char kRemoveHook[] = "removehook";
using RemoveHookFunction = void VN24G_LIBRARY_CALL();

// One key event, delivered to the installed window on that window's thread
// in the order the keys happened. wParam: the virtual-key code (the left and
// right Shift, Ctrl and Alt arrive as their own codes 0xA0 to 0xA5). lParam:
// kKeyReleasedFlag set for a release, clear for a press; the program reads
// no other bit.
constexpr uint32_t WM_HOOKKEY = 0x40A;
constexpr uint32_t kKeyReleasedFlag = 0x80;

}  // namespace kbgetkey
