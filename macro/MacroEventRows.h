#pragma once

// What the macro editor's event list shows of a macro: a row per recorded
// key press or release, named after the key, and after it a row for the
// pause that follows it, if any. Keys without a name are left out of the
// list, with their pauses; they stay in the macro and are played.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/MacroStore.h"

namespace macro {

// The kinds of rows of the editor's lists; the numbers are what the lists
// keep as each row's data.
enum class RowKind : int32_t { Text = 0, IndentedText = 1, KeyRelease = 2, KeyPress = 3, Pause = 4 };

struct EventRow {
  std::u16string text;
  RowKind kind;
  std::size_t event;  // the event shown; for a pause row, the event the pause follows
  bool operator==(const EventRow& other) const {
    return text == other.text && kind == other.kind && event == other.event;
  }
};

// "350 ms".
std::u16string PauseRowText(int32_t milliseconds);

// The row of event `index` of `macro`, when its key has a name.
bool KeyRow(const tagMACROINFO& macro, std::size_t index, EventRow& row);
// The row of the pause after event `index`, when there is one and the
// event's own row is shown.
bool PauseRow(const tagMACROINFO& macro, std::size_t index, EventRow& row);

// Every row of `macro`, in order.
std::vector<EventRow> EventRows(const tagMACROINFO& macro);

}  // namespace macro
