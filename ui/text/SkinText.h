#pragma once

// The two ways the program writes text on its skins: the GDI caption font of
// buttons and menu entries, and strings drawn by the image library onto a
// window's pictures.

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/window/GdiHandles.h"

namespace ui {

// Captions of buttons and menu entries: "MS Shell Dlg", 14 pixels high,
// weight 500, of the Swiss family.
Font CreateCaptionFont();

enum class TextWeight { Regular, Bold };

// Draws `text` into the layout rectangle (x, y, width, height) in the
// "MS Shell Dlg" face at `points`, aligned 0 near, 1 centre, 2 far, in the
// ARGB colour `argb`. Lines wrap inside the rectangle and whatever does not
// fit is cut at its edges. False when nothing could be drawn.
bool DrawSkinText(HDC dc, const std::u16string& text, float points, TextWeight weight, int alignment,
                  uint32_t argb, float x, float y, float width, float height);

}  // namespace ui
