#pragma once

// Plays a recorded macro into whatever window has the focus, with the
// recorded pauses, and never into the program's own main window. A macro
// plays with the same key strokes as a combination. An exit command waiting
// for the main window ends it early, with every key it holds let go.

#include <cstddef>
#include <cstdint>
#include <string>

#include "config/MacroStore.h"

namespace actions {

// Plays macro `index` of the process-wide store; the main window is known by
// its title, the language text "tc_mouse_title". Returns when the macro has
// played, or at once for an unknown or empty macro.
void PlayMacro(uint8_t index);

// The same with the store and the main window's title given.
void PlayMacro(const macro::MacroStore& store, std::size_t index, const std::u16string& mainWindowTitle);

// One recorded event: a key (followed by the 50 ms stroke pause) or one of
// the mouse buttons 0xC1 to 0xC3 (no pause).
void PlayMacroEvent(uint8_t vk, bool released);

}  // namespace actions
