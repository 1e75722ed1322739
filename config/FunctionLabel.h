#pragma once

// The label shown beside a button on the assignment pages: what its
// assignment does, in the words of the language file.

#include <string>

#include "config/ButtonAssignment.h"

namespace config {

// The combination, the macro's name or the program's file name for the
// functions that carry one, else the language text of the function code;
// empty for no record and for codes without a label.
std::u16string FunctionLabel(const ButtonAssignment* record);

}  // namespace config
