#pragma once

// KBGetKey.dll, the program's keyboard-hook library: what the library
// exports and what it sends, shared by the library and the windows that load
// it (the macro editor, the combination-key dialog). Plain fixed-width types
// only, so that both sides and the platform-neutral core can include it.
//
// A window loads the library from the program's folder, hands it its own
// window with "installhook", switches the reports on and off with
// "SetHookStatus" and, when it closes, switches them off, calls "removehook"
// and frees the library. While the status is on, every key press and
// release anywhere in the system is posted to that window as WM_HOOKKEY.

#include <cstdint>

namespace kbgetkey {

// The library's file name beside the program.
inline constexpr char16_t kLibraryFileName[] = u"KBGetKey.dll";

// Undecorated C exports, C calling convention. The results may be ignored:
// installhook gives 1 once the hook runs, SetHookStatus and removehook 1.
inline constexpr const char* kInstallHookExport = "installhook";
inline constexpr const char* kSetHookStatusExport = "SetHookStatus";
inline constexpr const char* kRemoveHookExport = "removehook";

// `window` is the receiving window's handle.
using InstallHookEntry = int32_t (*)(uintptr_t window);
// 1 reports every key press and release, 0 none.
using SetHookStatusEntry = int32_t (*)(int32_t status);
// No key is reported after it returns.
using RemoveHookEntry = int32_t (*)();

// Posted to the window given to installhook, in the order the keys happened.
// wParam: the virtual-key code; left and right Shift, Ctrl and Alt as their
// own codes 0xA0 to 0xA5. lParam: kKeyReleased for a release, 0 for a press.
inline constexpr uint32_t WM_HOOKKEY = 0x40A;
inline constexpr uint32_t kKeyReleased = 0x80;

}  // namespace kbgetkey
