#include "config/MacroStore.h"

#include <algorithm>
#include <cstring>

namespace macro {

MacroStore TheMacroStore{};

std::size_t StoredMacroCount(const MacroStore& store) {
  if (store.macroCount < 0) return 0;
  return std::min(static_cast<std::size_t>(store.macroCount), kMaxMacros);
}

std::size_t UsedEventCount(const tagMACROINFO& macro) {
  return std::min(static_cast<std::size_t>(macro.eventCount), kMaxEvents);
}

std::u16string MacroName(const tagMACROINFO& macro) {
  const char16_t* begin = macro.macroName;
  return std::u16string(begin, std::find(begin, begin + kMacroNameUnits, u'\0'));
}

void SetMacroName(tagMACROINFO& macro, const std::u16string& name) {
  std::memset(macro.macroName, 0, sizeof(macro.macroName));
  std::copy_n(name.data(), std::min(name.size(), kMacroNameUnits - 1), macro.macroName);
}

const tagMACROINFO* MacroSlot(const MacroStore& store, std::size_t index) {
  return index < kMaxMacros ? &store.macros[index] : nullptr;
}

}  // namespace macro
