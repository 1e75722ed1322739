#pragma once

// Conversions the native build needs where its system speaks UTF-8 and the
// program speaks UTF-16.

#include <string>

namespace platform::native {

std::string Utf16ToUtf8(const std::u16string& text);

// Malformed sequences become U+FFFD rather than stopping the conversion.
std::u16string Utf8ToUtf16(const std::string& text);

// Program paths use backslashes (the exe folder ends in one); the native file
// system wants slashes.
std::string ToNativePath(const std::u16string& path);

}  // namespace platform::native
