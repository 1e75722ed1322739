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
  keysDown_.Clear();
  hook_.SetStatus(true);
  view_.ShowRecording(true);
  list_.ClearEvents(static_cast<std::size_t>(selected_));
  view_.ClearEventRows();
  eventRows_.clear();
}

void MacroEditor::StopRecording() {
  if (!hook_.CanSwitch()) return;
  if (recording_) {
    // Whatever is still down goes up at the end of the macro; room for its
    // release was kept while recording.
    tagMACROINFO* macro = SelectedEntry();
    const std::vector<uint8_t> releases = keysDown_.TakeReleases();
    if (macro && !releases.empty()) {
      for (uint8_t code : releases) AppendEvent(*macro, code, true);
      view_.SelectEventRow(static_cast<int32_t>(eventRows_.size()) - 1);
    }
  }
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
  const uint8_t code = static_cast<uint8_t>(wParam & 0xFF);
  const bool released = (static_cast<uintptr_t>(lParam) & kbgetkey::kKeyReleasedFlag) != 0;
  if (!keysDown_.Fits(macro->eventCount, code, released)) return;

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
  AppendEvent(*macro, code, released);
  view_.SelectEventRow(static_cast<int32_t>(eventRows_.size()) - 1);

  lastEventTime_ = now;
  lastWParam_ = wParam;
  lastLParam_ = lParam;
}

void MacroEditor::AppendEvent(tagMACROINFO& macro, uint8_t code, bool released) {
  const std::size_t count = macro.eventCount;
  if (count >= kMaxEvents) return;
  MacroEvent& event = macro.events[count];
  event = MacroEvent{};
  event.vk = code;
  event.released = released ? 1 : 0;
  macro.eventCount = static_cast<uint16_t>(count + 1);
  keysDown_.Note(code, released);
  EventRow row;
  if (KeyRow(macro, count, row)) AppendRow(row);
}

}  // namespace macro
