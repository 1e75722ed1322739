#pragma once

// What counts as a click when a button tells its parent through WM_COMMAND.
// The skinned buttons are owner-drawn, and the system reports the second of
// two quick clicks on an owner-drawn button as a double click, not as a
// click. To the user both are clicks: a parent that listened for clicks
// only would lose every quick second one.

#include <windows.h>

namespace ui {

inline bool IsButtonClick(WORD notification) {
  return notification == BN_CLICKED || notification == BN_DOUBLECLICKED;
}

}  // namespace ui
