#pragma once

// Conversion of 8-bit text in a Windows code page to UTF-16. Code pages are
// the Windows numbers everywhere (65001 UTF-8, 1252 Western, 932 Japanese,
// ...); code page 0 is the system's ANSI code page.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Service.h"

namespace platform {

inline constexpr uint32_t kCodePageAnsi = 0;
inline constexpr uint32_t kCodePageUtf8 = 65001;

class CodePage {
 public:
  virtual ~CodePage() = default;

  // Converts `size` bytes to UTF-16 into `out` (replacing its content).
  // Byte sequences that are not valid in the code page become U+FFFD, as the
  // system converter does without flags, so a conversion of a supported
  // code page always succeeds. False only when the code page itself is not
  // available; `out` is then empty.
  virtual bool ToWide(uint32_t codePage, const uint8_t* bytes, size_t size, std::u16string& out) = 0;
};

template <>
CodePage& Service<CodePage>::Default();

}  // namespace platform
