#pragma once

// Numbers written as text in the program's data files and registry values.
// Both parsers read as much of a number as there is and never fail: text
// that holds no number gives 0, and a number too large for 32 bits gives the
// nearest 32-bit value.

#include <cstdint>
#include <string_view>

namespace text {

// Decimal: optional leading whitespace, an optional sign, then digits up to
// the first non-digit.
int32_t ParseDecimal(std::u16string_view text);

// Hexadecimal: optional leading whitespace, an optional sign, an optional
// "0x" or "0X", then hexadecimal digits up to the first non-digit.
int32_t ParseHexadecimal(std::u16string_view text);

}  // namespace text
