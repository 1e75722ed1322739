#pragma once

// The program's own window messages. All are posted, none sent. Numbers are
// fixed: other processes (a second instance, outside tools) post some of
// them. The keyboard-hook library's message is part of that library's
// contract (codes/KeyboardHookLibrary.h).

#include <cstdint>

namespace codes {

constexpr uint32_t WM_DRIVER_EVENT = 0x7EB;      // event thread -> main window, wParam = event code
constexpr uint32_t WM_TRAY_NOTIFY = 0x600;       // tray icon callback, lParam = mouse message
constexpr uint32_t WM_SET_SCROLL_VALUES = 0x606; // from outside: set the two scroll values
constexpr uint32_t WM_BMPMENU_SUBPICK = 0x500;
constexpr uint32_t WM_BMPMENU_PICK = 0x501;
constexpr uint32_t WM_PAGE_RELOAD = 0x480;       // main window -> pages
constexpr uint32_t WM_LISTBOXEX_EDITDONE = 0x464;
constexpr uint32_t WM_LISTBOXEX_SELCHANGE = 0x465;
constexpr uint32_t WM_SKINBTN_PRESS = 0x1424;    // skinned button -> parent, wParam = left-button message

}  // namespace codes
