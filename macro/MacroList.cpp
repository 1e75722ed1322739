#include "macro/MacroList.h"

#include <algorithm>
#include <cstring>

#include "config/FunctionCodes.h"
#include "config/SettingsStore.h"
#include "platform/Registry.h"
#include "text/LabelTable.h"

namespace macro {

MacroList TheMacroList;

namespace {

// Calls `visit` for every macro assignment in use of the current model, in
// the applied record and in the one being edited.
template <class Record, class Visit>
void ForEachMacroAssignment(Record& settings, Visit visit) {
  const std::size_t mice = config::UsedMouseAssignments(settings);
  const std::size_t keys = config::UsedKeyAssignments(settings);
  for (std::size_t k = 0; k < mice; ++k)
    if (settings.mouseAssignments[k].functionCode == config::FN_MACRO) visit(settings.mouseAssignments[k]);
  for (std::size_t k = 0; k < keys; ++k)
    if (settings.keyAssignments[k].functionCode == config::FN_MACRO) visit(settings.keyAssignments[k]);
}

}  // namespace

void MacroList::LoadMacroList() {
  entries_.clear();
  const std::size_t count = StoredMacroCount(TheMacroStore);
  for (std::size_t i = 0; i < count; ++i) entries_.push_back(Entry{TheMacroStore.macros[i], static_cast<int32_t>(i)});
}

const tagMACROINFO* MacroList::Macro(std::size_t index) const {
  return index < entries_.size() ? &entries_[index].macro : nullptr;
}

tagMACROINFO* MacroList::Macro(std::size_t index) {
  return index < entries_.size() ? &entries_[index].macro : nullptr;
}

bool MacroList::AddMacro(config::UserMessages& messages) {
  if (entries_.size() >= kMaxMacros) {
    messages.ShowMessage(kMacroLimitText, config::kWarningCaption);
    return false;
  }
  Entry entry{};
  entry.storedSlot = -1;
  SetMacroName(entry.macro, Label("tc_new_macro"));
  entries_.push_back(entry);
  return true;
}

bool MacroList::RenameMacro(std::size_t index, const std::u16string& text) {
  tagMACROINFO* macro = Macro(index);
  if (!macro) return false;
  SetMacroName(*macro, text.empty() ? Label("tc_new_macro") : text);
  return true;
}

bool MacroList::IsMacroInUse(std::size_t index) const {
  if (index >= entries_.size() || entries_[index].storedSlot < 0) return false;
  // Assignments hold store slots until the list is saved.
  const int32_t slot = entries_[index].storedSlot;
  bool used = false;
  auto check = [&](const config::ButtonAssignment& a) { used = used || a.macroIndex == slot; };
  ForEachMacroAssignment(config::ActiveSettings, check);
  ForEachMacroAssignment(config::WorkingSettings, check);
  return used;
}

bool MacroList::DeleteMacro(std::size_t index, config::UserMessages& messages) {
  if (index >= entries_.size()) return false;
  if (IsMacroInUse(index)) {
    messages.ShowMessage(Label("tc_macro_msg3"), Label("tc_mouse_title"));
    return false;
  }
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

bool MacroList::ClearEvents(std::size_t index) {
  tagMACROINFO* macro = Macro(index);
  if (!macro) return false;
  const std::u16string name = MacroName(*macro);
  *macro = tagMACROINFO{};
  SetMacroName(*macro, name);
  return true;
}

bool MacroList::SetLoop(std::size_t index, bool enabled, int32_t count) {
  tagMACROINFO* macro = Macro(index);
  if (!macro) return false;
  macro->loopEnabled = enabled ? 1 : 0;
  macro->loopCount = count >= 1 && count <= 99 ? count : 1;
  return true;
}

bool MacroList::SetLoopCount(std::size_t index, int32_t count) {
  tagMACROINFO* macro = Macro(index);
  if (!macro) return false;
  macro->loopCount = count;
  return true;
}

bool MacroList::SetEventDelay(std::size_t index, std::size_t event, int32_t ms) {
  tagMACROINFO* macro = Macro(index);
  if (!macro || event >= UsedEventCount(*macro)) return false;
  macro->events[event].delayMs = std::max(ms, 1);
  return true;
}

bool MacroList::SaveMacros() {
  // Where each stored slot ends up; slots of deleted macros map nowhere.
  int32_t newPosition[kMaxMacros];
  std::fill(std::begin(newPosition), std::end(newPosition), -1);

  std::memset(&TheMacroStore, 0, sizeof(TheMacroStore));
  const std::size_t count = std::min(entries_.size(), kMaxMacros);
  for (std::size_t i = 0; i < count; ++i) {
    TheMacroStore.macros[i] = entries_[i].macro;
    if (entries_[i].storedSlot >= 0) newPosition[entries_[i].storedSlot] = static_cast<int32_t>(i);
    entries_[i].storedSlot = static_cast<int32_t>(i);
  }
  TheMacroStore.macroCount = static_cast<int32_t>(count);

  auto renumber = [&](config::ButtonAssignment& a) {
    if (a.macroIndex < kMaxMacros && newPosition[a.macroIndex] >= 0)
      a.macroIndex = static_cast<uint8_t>(newPosition[a.macroIndex]);
  };
  ForEachMacroAssignment(config::ActiveSettings, renumber);
  ForEachMacroAssignment(config::WorkingSettings, renumber);

  platform::ScopedRegistryKey key;
  if (!key.Open(config::kMacroKey)) return false;
  return platform::Service<platform::Registry>::Get().SetValue(key.get(), config::kMacroValue, platform::kRegBinary,
                                                                &TheMacroStore, sizeof(TheMacroStore));
}

}  // namespace macro
