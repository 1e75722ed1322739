#pragma once

// Wide text in the core is UTF-16 on every platform. Helpers for the few
// places that must build it from ASCII literals or numbers.

#include <string>
#include <string_view>

namespace platform {

inline std::u16string WidenAscii(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// Lossy: keeps only code units below 0x80, for diagnostics and tests.
inline std::string NarrowAscii(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (char16_t unit : wide) out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return out;
}

}  // namespace platform
