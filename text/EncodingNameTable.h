#pragma once

// Encoding names as documents declare them ("utf-8", "windows-1252",
// "shift_jis", ...) mapped to Windows code pages. Names are matched without
// regard to the case of ASCII letters.

#include <cstddef>
#include <cstdint>
#include <string_view>

// Names this long or longer are not looked up.
inline constexpr size_t kMaxEncodingNameLength = 100;

// The code page of a known name; 0 (the system's ANSI code page) for an
// empty, unknown or overlong name.
uint32_t CodePageForEncodingName(std::u16string_view name);
