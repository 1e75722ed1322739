#pragma once

// Conversions the native build needs where its system speaks UTF-8 and the
// program speaks UTF-16.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::native {

std::string Utf16ToUtf8(const std::u16string& text);

// UTF-8 as the system's converter reads it: shortest forms only, no
// surrogates, nothing above U+10FFFF; each maximal piece of a bad sequence
// becomes one U+FFFD. Appends to `out`.
void DecodeUtf8(const uint8_t* bytes, std::size_t size, std::u16string& out);
std::u16string Utf8ToUtf16(const std::string& text);

// Program paths use backslashes (the exe folder ends in one); the native file
// system wants slashes.
std::string ToNativePath(const std::u16string& path);

}  // namespace platform::native
