// Recording into the selected macro: the MacroEditor's part that turns the
// keyboard hook's reports and the on-screen mouse buttons into events.

#include "macro/MacroEditor.h"

#include "codes/KeyboardHookLibrary.h"
#include "text/NumberText.h"

namespace macro {

void MacroEditor::StartRecording() {
  if (selected_ < 0 || !hook_.CanSwitch()) return;
  recording_ = true;
  // A recording starts afresh: a first key equal to the last one of an
  // earlier recording is a key of its own, not a repeat.
  lastWParam_ = 0;
  lastLParam_ = 0;
  lastEventTime_ = 0;
  // Keys typed into a number box belong to the box, never to the macro.
  hook_.SetStatus(!numberBoxFocused_);
  view_.ShowRecording(true);
  list_.ClearEvents(static_cast<std::size_t>(selected_));
  view_.ClearEventRows();
  eventRows_.clear();
}

void MacroEditor::StopRecording() {
  if (!hook_.CanSwitch()) return;
  recording_ = false;
  hook_.SetStatus(false);
  view_.ShowRecording(false);
  SetDelaySwitch(false);
}

void MacroEditor::ToggleDelay() {
  if (recording_) {
    SetDelaySwitch(!delaySwitch_);
    // The pause before the first event after the switch is not measured.
    lastEventTime_ = 0;
  } else {
    SetDelaySwitch(false);
  }
}

void MacroEditor::NumberBoxFocus(bool focused) {
  numberBoxFocused_ = focused;
  if (recording_) hook_.SetStatus(!focused);
}

void MacroEditor::OnMouseButton(uint8_t buttonCode, bool released) {
  if (!recording_) return;
  view_.PostHookKey(buttonCode, released ? kbgetkey::kKeyReleasedFlag : 0);
}

void MacroEditor::OnHookKey(uintptr_t wParam, intptr_t lParam, uint32_t postedAt) {
  // Reports still queued when the recording stopped are not recorded.
  if (!recording_) return;
  // A held key repeats its press with the very same report: one press only.
  if (wParam == lastWParam_ && lParam == lastLParam_) return;
  const uint32_t now = postedAt;
  tagMACROINFO* macro = SelectedEntry();
  if (!macro) return;
  if (macro->eventCount >= kMaxEvents) return;

  macro->recordDelays = delaySwitch_ ? 1 : 0;
  macro->loopEnabled = loopSwitch_ ? 1 : 0;
  macro->loopCount = text::ParseDecimal(loopCountText_);

  const std::size_t count = macro->eventCount;
  EventRow row;
  if (delaySwitch_ && lastEventTime_ != 0 && count >= 1) {
    // The tick count wraps; the difference of two readings does not care.
    const int32_t gap = static_cast<int32_t>(now - lastEventTime_);
    if (gap > 0) {
      macro->events[count - 1].delayMs = gap;
      if (PauseRow(*macro, count - 1, row)) AppendRow(row);
    }
  }
  MacroEvent& event = macro->events[count];
  event = MacroEvent{};
  event.vk = static_cast<uint8_t>(wParam & 0xFF);
  event.released = (static_cast<uintptr_t>(lParam) & kbgetkey::kKeyReleasedFlag) != 0 ? 1 : 0;
  macro->eventCount = static_cast<uint16_t>(count + 1);
  if (KeyRow(*macro, count, row)) AppendRow(row);
  view_.SelectEventRow(static_cast<int32_t>(eventRows_.size()) - 1);

  lastEventTime_ = now;
  lastWParam_ = wParam;
  lastLParam_ = lParam;
}

}  // namespace macro
