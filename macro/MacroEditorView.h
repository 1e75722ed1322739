#pragma once

// What the macro editor's logic asks of its window: the two lists, the two
// switches with the loop-count box, the record button, a message box, and a
// way to feed a recorded mouse-button event back through the window's own
// queue so that it takes its turn behind the keys already reported. The
// Win32 window implements it; tests record the calls.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/UserMessages.h"
#include "macro/MacroEventRows.h"

namespace macro {

class MacroEditorView : public config::UserMessages {
 public:
  // The macro list. Rows are macro positions; -1 selects none.
  virtual void SetMacroRows(const std::vector<std::u16string>& names) = 0;  // none selected
  virtual void AddMacroRow(const std::u16string& name) = 0;                 // appended and selected
  virtual void SetMacroRowText(std::size_t row, const std::u16string& name) = 0;
  virtual void RemoveMacroRow(std::size_t row) = 0;
  virtual void SelectMacroRow(int32_t row) = 0;

  // The event list.
  virtual void ClearEventRows() = 0;
  virtual void AddEventRow(const std::u16string& text, RowKind kind) = 0;  // appended and selected
  virtual void SelectEventRow(int32_t row) = 0;

  // The loop switch with the count box, the delay switch, and the record
  // button's pressed look and caption.
  virtual void ShowLoop(bool on, const std::u16string& countText, bool countEnabled) = 0;
  virtual void ShowDelaySwitch(bool on) = 0;
  virtual void ShowRecording(bool recording) = 0;

  // Posts one recorded event to the window, to come back as OnHookKey.
  virtual void PostHookKey(uint32_t virtualKey, uint32_t flags) = 0;
};

}  // namespace macro
