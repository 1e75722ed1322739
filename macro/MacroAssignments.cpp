#include "macro/MacroAssignments.h"

#include <set>
#include <string>

#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"

namespace macro {
namespace {

// Calls `visit` once for every record in memory that names macros.
template <class Visit>
void ForEachRecordInMemory(Visit visit) {
  visit(config::ActiveSettings);
  visit(config::WorkingSettings);
  for (config::tagVARNOK24G_DATA_& listed : config::DeviceSettingsList) visit(listed);
}

// Calls `visit` with every model's stored record and its stored length. Two
// catalogue entries may share a name and so a key; each key is visited once.
template <class Visit>
void ForEachStoredRecord(Visit visit) {
  std::set<std::u16string> seen;
  for (const config::tagVARNOK24G_UI_INFORMATION& device : config::DeviceCatalogue) {
    const std::u16string keyPath = config::SettingsKeyPath(config::ModelName(device));
    if (!seen.insert(keyPath).second) continue;
    config::tagVARNOK24G_DATA_ stored{};
    uint32_t storedSize = 0;
    if (config::ReadStoredSettings(keyPath, stored, storedSize)) visit(keyPath, stored, storedSize);
  }
}

bool NamesSlot(const config::tagVARNOK24G_DATA_& record, std::size_t slot) {
  bool named = false;
  ForEachMacroAssignment(record, [&](const config::ButtonAssignment& a) { named = named || a.macroIndex == slot; });
  return named;
}

// Renumbers one record; true when anything changed.
bool Move(config::tagVARNOK24G_DATA_& record, const MacroMoves& moves) {
  bool changed = false;
  ForEachMacroAssignment(record, [&](config::ButtonAssignment& a) {
    if (a.macroIndex >= kMaxMacros || moves[a.macroIndex] < 0 || moves[a.macroIndex] == a.macroIndex) return;
    a.macroIndex = static_cast<uint8_t>(moves[a.macroIndex]);
    changed = true;
  });
  return changed;
}

}  // namespace

bool IsMacroSlotAssigned(std::size_t slot) {
  bool named = false;
  ForEachRecordInMemory([&](const config::tagVARNOK24G_DATA_& record) { named = named || NamesSlot(record, slot); });
  ForEachStoredRecord([&](const std::u16string&, const config::tagVARNOK24G_DATA_& record, uint32_t) {
    named = named || NamesSlot(record, slot);
  });
  return named;
}

void MoveMacroAssignments(const MacroMoves& moves) {
  ForEachRecordInMemory([&](config::tagVARNOK24G_DATA_& record) { Move(record, moves); });
  ForEachStoredRecord([&](const std::u16string& keyPath, config::tagVARNOK24G_DATA_& record, uint32_t storedSize) {
    if (Move(record, moves)) config::RewriteStoredSettings(keyPath, record, storedSize);
  });
}

}  // namespace macro
