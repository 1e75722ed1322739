#include "macro/MacroEditor.h"

#include <algorithm>

#include "config/SettingsStore.h"
#include "platform/WideText.h"
#include "text/LabelTable.h"
#include "text/NumberText.h"

namespace macro {
namespace {

// The loop-count box never shows less than one play.
std::u16string CountText(int32_t loopCount) {
  if (loopCount < 2) return std::u16string(1, u'1');
  return platform::WidenAscii(std::to_string(loopCount));
}

}  // namespace

std::u16string RenamedName(const std::u16string& stored, const std::u16string& edited) {
  return edited.substr(0, std::max(kMacroNameEditLimit, stored.size()));
}

bool ReadPause(std::u16string_view text, int32_t& milliseconds) {
  if (text.empty()) return false;
  int32_t value = 0;
  for (char16_t digit : text) {
    if (digit < u'0' || digit > u'9') return false;
    value = value * 10 + (digit - u'0');
    if (value > kMaxPauseMs) return false;
  }
  milliseconds = value;
  return true;
}

MacroEditor::MacroEditor(MacroList& list, MacroEditorView& view, KeyboardHook& hook)
    : list_(list), view_(view), hook_(hook) {}

void MacroEditor::Open(int32_t macroIndex) {
  chosen_ = macroIndex;
  selected_ = -1;
  list_.LoadMacroList();
  std::vector<std::u16string> names;
  for (std::size_t i = 0; i < list_.Count(); ++i) names.push_back(MacroName(*list_.Macro(i)));
  view_.SetMacroRows(names);
  ShowNoMacro();
  if (macroIndex >= 0 && static_cast<std::size_t>(macroIndex) < list_.Count()) {
    selected_ = macroIndex;
    view_.SelectMacroRow(macroIndex);
    ShowMacro(static_cast<std::size_t>(macroIndex));
  }
}

tagMACROINFO* MacroEditor::SelectedEntry() {
  return selected_ >= 0 ? list_.Macro(static_cast<std::size_t>(selected_)) : nullptr;
}

void MacroEditor::ShowLoopState(bool countEnabled) { view_.ShowLoop(loopSwitch_, loopCountText_, countEnabled); }

void MacroEditor::SetDelaySwitch(bool on) {
  delaySwitch_ = on;
  view_.ShowDelaySwitch(on);
}

void MacroEditor::ShowMacro(std::size_t index) {
  const tagMACROINFO* macro = list_.Macro(index);
  if (!macro) return;
  view_.ClearEventRows();
  eventRows_.clear();
  for (const EventRow& row : EventRows(*macro)) AppendRow(row);
  loopSwitch_ = macro->loopEnabled != 0;
  loopCountText_ = CountText(macro->loopCount);
  ShowLoopState(loopSwitch_);
  SetDelaySwitch(macro->recordDelays != 0);
}

void MacroEditor::ShowNoMacro() {
  view_.ClearEventRows();
  eventRows_.clear();
  loopSwitch_ = false;
  loopCountText_ = CountText(1);
  ShowLoopState(false);
  SetDelaySwitch(false);
}

void MacroEditor::AppendRow(const EventRow& row) {
  eventRows_.push_back(row);
  view_.AddEventRow(row.text, row.kind);
}

void MacroEditor::SelectMacro(int32_t row) {
  StopRecording();
  chosen_ = row;
  selected_ = row >= 0 && static_cast<std::size_t>(row) < list_.Count() ? row : -1;
  if (selected_ >= 0) ShowMacro(static_cast<std::size_t>(selected_));
}

void MacroEditor::NewMacro() {
  StopRecording();
  if (!list_.AddMacro(view_)) return;
  const std::size_t added = list_.Count() - 1;
  view_.AddMacroRow(MacroName(*list_.Macro(added)));
  selected_ = chosen_ = static_cast<int32_t>(added);
  ShowNoMacro();
}

void MacroEditor::DeleteMacro() {
  StopRecording();
  if (selected_ < 0) return;
  const std::size_t deleted = static_cast<std::size_t>(selected_);
  if (!list_.DeleteMacro(deleted, view_)) return;
  view_.RemoveMacroRow(deleted);
  // The row that took the deleted one's place, or the new last row.
  const std::size_t count = list_.Count();
  selected_ = count == 0 ? -1 : static_cast<int32_t>(deleted < count ? deleted : count - 1);
  chosen_ = selected_;
  view_.SelectMacroRow(selected_);
  if (selected_ >= 0) {
    ShowMacro(static_cast<std::size_t>(selected_));
  } else {
    ShowNoMacro();
  }
}

void MacroEditor::RenameMacro(int32_t row, const std::u16string& text) {
  const tagMACROINFO* renamed = row >= 0 ? list_.Macro(static_cast<std::size_t>(row)) : nullptr;
  if (renamed && list_.RenameMacro(static_cast<std::size_t>(row), RenamedName(MacroName(*renamed), text))) {
    const std::size_t index = static_cast<std::size_t>(row);
    // An empty name became the default one, which the row shows too.
    const std::u16string name = MacroName(*list_.Macro(index));
    if (name != text) view_.SetMacroRowText(index, name);
    ShowMacro(index);
  }
  StopRecording();
}

void MacroEditor::ToggleLoop() {
  loopSwitch_ = !loopSwitch_;
  ShowLoopState(loopSwitch_);
  if (selected_ >= 0)
    list_.SetLoop(static_cast<std::size_t>(selected_), loopSwitch_, text::ParseDecimal(loopCountText_));
}

void MacroEditor::LoopCountTyped(const std::u16string& text) {
  loopCountText_ = text;
  if (selected_ >= 0) list_.SetLoopCount(static_cast<std::size_t>(selected_), text::ParseDecimal(text));
}

void MacroEditor::ModifyPause(int32_t selectedEventRow, const std::u16string& delayText) {
  StopRecording();
  if (selected_ < 0 || selectedEventRow < 0 || static_cast<std::size_t>(selectedEventRow) >= eventRows_.size())
    return;
  const EventRow& row = eventRows_[static_cast<std::size_t>(selectedEventRow)];
  if (row.kind != RowKind::Pause) return;
  int32_t pause = 0;
  if (!ReadPause(delayText, pause)) {
    view_.ShowMessage(Label("tc_macro_msg4"), Label("tc_mouse_title"));
    return;
  }
  list_.SetEventDelay(static_cast<std::size_t>(selected_), row.event, pause);
  ShowMacro(static_cast<std::size_t>(selected_));
  view_.SelectEventRow(selectedEventRow);
}

void MacroEditor::Record() {
  if (recording_) {
    StopRecording();
  } else {
    StartRecording();
  }
}

bool MacroEditor::Ok() {
  StopRecording();
  if (list_.SaveMacros()) return true;
  // The editor stays as it is, so the user can try again or cancel.
  view_.ShowMessage(config::kApplyRefusedText, config::kWarningCaption);
  return false;
}

void MacroEditor::Cancel() { StopRecording(); }

}  // namespace macro
