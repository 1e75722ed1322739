#pragma once

// Initialisation files (VNType.ini): sections of key=value lines. Section and
// key names match without regard to case; values are trimmed and lose one
// pair of enclosing quotes.

#include <cstddef>
#include <string>

#include "platform/Service.h"

namespace platform {

class IniFile {
 public:
  virtual ~IniFile() = default;

  // The value of `key` in `section`, or `fallback` when the file, section or
  // key is missing. At most `capacity` - 1 units are returned, as a buffer of
  // `capacity` units would hold them.
  virtual std::u16string ReadString(const std::u16string& file, const std::u16string& section,
                                    const std::u16string& key, const std::u16string& fallback,
                                    std::size_t capacity) = 0;

  // The value read as a decimal number (leading sign and digits; anything
  // else stops the number), or `fallback` when the key is missing or empty.
  virtual int ReadInt(const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, int fallback) = 0;

  // Sets the key, adding the section and the key when missing and creating
  // the file when needed. Other lines are kept as they are.
  virtual bool WriteString(const std::u16string& file, const std::u16string& section,
                           const std::u16string& key, const std::u16string& value) = 0;
};

template <>
IniFile& Service<IniFile>::Default();

}  // namespace platform
