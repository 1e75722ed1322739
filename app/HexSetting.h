#pragma once

#include <cstdint>
#include <string>

namespace app {

// Reads a number stored as hexadecimal text in VNType.ini ("1", "0x9080",
// "0X2A"). Leading blanks are skipped and the digits end at the first other
// character; text without digits gives 0. A value too large for 32 bits
// saturates instead of wrapping, so it can never turn into 0.
int32_t ParseHexSetting(const std::u16string& text);

// The stored form of a model value: "0x" and lower-case digits.
std::u16string FormatHexSetting(int32_t value);

}  // namespace app
