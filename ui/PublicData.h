#pragma once

// The shared base, next to the window base, of the windows that show key
// names, assignment labels and skin text and that make a model current: the
// main window, the assignment pages, the macro editor, the program-launch
// dialog and the message dialog. It holds no data.

#include <windows.h>

#include <cstdint>
#include <string>

#include "config/ButtonAssignment.h"

namespace ui {

class CPublicData {
 public:
  virtual ~CPublicData() = default;

  // Re-reads what the window keeps of the current model; nothing here.
  virtual void RefreshModelData() {}
  // Lights the marks of the buttons under the pointer; nothing here.
  virtual void UpdateHoverMarks() {}

  static std::u16string KeyName(uint8_t code);
  static std::u16string CombinationText(uint8_t modifiers, uint8_t key1, uint8_t key2);
  static std::u16string FunctionLabel(const config::ButtonAssignment* record);

  // One string in the "MS Shell Dlg" face at `points`, regular or bold,
  // aligned 0 near, 1 centre, 2 far, in the ARGB colour `argb`, inside the
  // layout rectangle (x, y, width, height).
  static bool DrawTextRegular(HDC dc, const std::u16string& text, float points, int alignment, uint32_t argb,
                              float x, float y, float width, float height);
  static bool DrawTextBold(HDC dc, const std::u16string& text, float points, int alignment, uint32_t argb,
                           float x, float y, float width, float height);

  // Make `modelValue` the current model's description and applied settings.
  static void SelectCurrentDevice(int32_t modelValue);
  static void SelectCurrentSettings(int32_t modelValue);
};

}  // namespace ui
