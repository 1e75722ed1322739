#pragma once

// Commands of the main window that other processes post to it as
// WM_COMMAND (this wParam, lParam 0), as its tray menu gives them.

#include <cstdint>

namespace codes {

constexpr uintptr_t kExitCommand = 2;

}  // namespace codes
