#include "macro/MacroEventRows.h"

#include "platform/WideText.h"
#include "text/KeyNames.h"

namespace macro {

std::u16string PauseRowText(int32_t milliseconds) {
  return platform::WidenAscii(std::to_string(milliseconds)) + u" ms";
}

bool KeyRow(const tagMACROINFO& macro, std::size_t index, EventRow& row) {
  if (index >= UsedEventCount(macro)) return false;
  const MacroEvent& event = macro.events[index];
  std::u16string name = text::KeyName(event.vk);
  if (name.empty()) return false;
  row = EventRow{std::move(name), event.released ? RowKind::KeyRelease : RowKind::KeyPress, index};
  return true;
}

bool PauseRow(const tagMACROINFO& macro, std::size_t index, EventRow& row) {
  EventRow keyRow;
  if (!KeyRow(macro, index, keyRow) || macro.events[index].delayMs == 0) return false;
  row = EventRow{PauseRowText(macro.events[index].delayMs), RowKind::Pause, index};
  return true;
}

std::vector<EventRow> EventRows(const tagMACROINFO& macro) {
  std::vector<EventRow> rows;
  EventRow row;
  for (std::size_t i = 0; i < UsedEventCount(macro); ++i) {
    if (KeyRow(macro, i, row)) rows.push_back(row);
    if (PauseRow(macro, i, row)) rows.push_back(row);
  }
  return rows;
}

}  // namespace macro
