#pragma once

// The macro editor's working copy of the macro store. The editor loads it
// when it opens, changes it, and either saves it back (OK) or drops it
// (Cancel); the store and the registry change only on save.
//
// Assignments name macros by position, so deleting a macro moves every later
// macro down one place. The assignments are renumbered when the list is
// saved, not when the macro is deleted: a cancelled edit then leaves both the
// macros and the assignments as they were. Saving renumbers every model's
// records, in memory and stored, together with the stored macros, so that
// whatever brings a record back later finds it naming the same macros.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/MacroStore.h"
#include "config/UserMessages.h"

namespace macro {

// Shown when an 101st macro is asked for.
inline const std::u16string kMacroLimitText = u"    The number of macro is up to the maximum    ";

class MacroList {
 public:
  // Replaces the list with the macros of TheMacroStore, in slot order.
  void LoadMacroList();

  std::size_t Count() const { return entries_.size(); }
  // Entries by position; nullptr for a position outside the list.
  const tagMACROINFO* Macro(std::size_t index) const;
  tagMACROINFO* Macro(std::size_t index);

  // Appends an empty macro named with the language text "tc_new_macro".
  // At 100 macros the limit message is shown instead and false returned.
  bool AddMacro(config::UserMessages& messages);

  // Renames the macro; an empty text gives the "tc_new_macro" text. Names
  // are cut to 259 units.
  bool RenameMacro(std::size_t index, const std::u16string& text);

  // Whether a button of any model (applied, being edited or stored) plays the
  // macro at this position.
  bool IsMacroInUse(std::size_t index) const;

  // Removes the macro unless it is in use; then the "tc_macro_msg3" message
  // is shown and false returned.
  bool DeleteMacro(std::size_t index, config::UserMessages& messages);

  // Keeps the name and clears everything else (recording starts over).
  bool ClearEvents(std::size_t index);

  // The loop switch was turned on or off: a count outside 1 to 99 becomes 1.
  bool SetLoop(std::size_t index, bool enabled, int32_t count);
  // A count typed into the count box is kept as typed.
  bool SetLoopCount(std::size_t index, int32_t count);

  // Sets the pause after one recorded event, at least 1 ms.
  bool SetEventDelay(std::size_t index, std::size_t event, int32_t ms);

  // Writes the list to the registry (slots beyond the list zeroed); once it
  // is written, makes it TheMacroStore and renumbers every model's macro
  // assignments to the new positions. False when the registry could not be
  // written: then nothing changed, the list included.
  bool SaveMacros();

 private:
  struct Entry {
    tagMACROINFO macro;
    int32_t storedSlot;  // slot in TheMacroStore when loaded or last saved; -1 for a new macro
  };
  std::vector<Entry> entries_;
};

// The editor's list.
extern MacroList TheMacroList;

}  // namespace macro
