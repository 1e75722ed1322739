#include "ui/pages/PendingDialogs.h"

namespace ui {

// Each body becomes the one call that runs its dialog modally and reads
// its answer.

bool RunCombinationDialog(HWND, const config::ButtonAssignment&, config::CombinationChoice&) { return false; }

bool RunProgramDialog(HWND, const std::u16string&, const std::u16string&, std::u16string&) { return false; }

}  // namespace ui
