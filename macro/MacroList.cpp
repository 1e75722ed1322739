#include "macro/MacroList.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "config/SettingsStore.h"
#include "macro/MacroAssignments.h"
#include "platform/Registry.h"
#include "text/LabelTable.h"

namespace macro {

MacroList TheMacroList;

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
  // Assignments hold store slots until the list is saved; a macro added
  // since has no slot and no button can play it yet.
  if (index >= entries_.size() || entries_[index].storedSlot < 0) return false;
  return IsMacroSlotAssigned(static_cast<std::size_t>(entries_[index].storedSlot));
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
  MacroMoves moves;
  moves.fill(-1);
  // Built aside: until the registry holds it, the store in use and the
  // records that name its macros stay as they were.
  auto saved = std::make_unique<MacroStore>();
  std::memset(saved.get(), 0, sizeof(MacroStore));
  const std::size_t count = std::min(entries_.size(), kMaxMacros);
  for (std::size_t i = 0; i < count; ++i) {
    saved->macros[i] = entries_[i].macro;
    if (entries_[i].storedSlot >= 0) moves[static_cast<std::size_t>(entries_[i].storedSlot)] = static_cast<int32_t>(i);
  }
  saved->macroCount = static_cast<int32_t>(count);

  // The macros are stored before any record is renumbered for them: records
  // renumbered for a store that was never written would name the wrong
  // macros from the next start on.
  platform::ScopedRegistryKey key;
  if (!key.Open(config::kMacroKey) ||
      !platform::Service<platform::Registry>::Get().SetValue(key.get(), config::kMacroValue, platform::kRegBinary,
                                                              saved.get(), sizeof(MacroStore)))
    return false;

  std::memcpy(&TheMacroStore, saved.get(), sizeof(MacroStore));
  for (std::size_t i = 0; i < count; ++i) entries_[i].storedSlot = static_cast<int32_t>(i);
  MoveMacroAssignments(moves);
  return true;
}

}  // namespace macro
