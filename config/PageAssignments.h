#pragma once

// The assignment pages' view of a settings record: which array of records a
// page edits, what its labels say, which keys show as changed, what its
// reset restores, and which of the two copies it shows when.

#include <cstddef>
#include <string>
#include <vector>

#include "config/DeviceCatalogue.h"
#include "config/SettingsRecord.h"

namespace config {

enum class AssignmentPage { Mouse, Keyboard };

// The page's array of records inside `record`.
ButtonAssignment* PageRecords(tagVARNOK24G_DATA_& record, AssignmentPage page);
const ButtonAssignment* PageRecords(const tagVARNOK24G_DATA_& record, AssignmentPage page);
// How many buttons of `device` the page shows, never more than the array has.
std::size_t PageButtonCount(const tagVARNOK24G_UI_INFORMATION& device, AssignmentPage page);

// The label of each of the page's buttons, from the records of `record`.
std::vector<std::u16string> PageLabels(const tagVARNOK24G_DATA_& record, AssignmentPage page,
                                       const tagVARNOK24G_UI_INFORMATION& device);

// For each key of `device`: whether its applied function differs from the
// key's own code. The keyboard page marks those labels; the comparison is
// always with the applied record, so a pick shows as changed only once it
// is applied and the page refreshed.
std::vector<bool> ChangedKeys(const tagVARNOK24G_DATA_& applied, const tagVARNOK24G_UI_INFORMATION& device);

// The mouse page's reset: the button count of `device`, and every button's
// position and own code back; macro, combination and program stay.
void RestoreMousePageDefaults(tagVARNOK24G_DATA_& record, const tagVARNOK24G_UI_INFORMATION& device);
// The keyboard page's reset: all twenty key records cleared whole, then the
// key count, positions and own codes of `device`.
void RestoreKeyboardPageDefaults(tagVARNOK24G_DATA_& record, const tagVARNOK24G_UI_INFORMATION& device);

// What makes a page show its labels again.
enum class PageRefresh {
  Initialised,    // the page was made
  WindowShown,    // the main window was opened from the tray
  Reloaded,       // the main window's cancel brought the stored record back
  ModelSwitched,  // another model became current
  Reset,          // the reset restored every button's own function
  Picked,         // a function was picked from the function menu
};

// Which copy the page shows then: the edited one right after a pick, the
// applied one on every other occasion (unapplied picks are dropped then).
const tagVARNOK24G_DATA_& RecordToShow(PageRefresh refresh, const tagVARNOK24G_DATA_& applied,
                                       const tagVARNOK24G_DATA_& working);

}  // namespace config
