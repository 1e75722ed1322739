#pragma once

// Small constant tables that map ASCII names to numbers (entity names to
// code points, encoding names to code pages), kept sorted by name so that a
// lookup is a binary search.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct NamedNumber {
  std::string_view name;
  uint32_t value;
};

template <size_t N>
constexpr bool IsSortedByName(const NamedNumber (&table)[N]) {
  for (size_t i = 1; i < N; ++i)
    if (!(table[i - 1].name < table[i].name)) return false;
  return true;
}

// The number of `name`, or 0 when the table does not hold it.
template <size_t N>
uint32_t FindNamedNumber(const NamedNumber (&table)[N], std::string_view name) {
  const NamedNumber* end = table + N;
  const NamedNumber* it = std::lower_bound(table, end, name, [](const NamedNumber& entry, std::string_view key) {
    return entry.name < key;
  });
  return it != end && it->name == name ? it->value : 0;
}

// Copies wide text that is all ASCII into `buffer` (lower-casing the letters
// when asked) and returns it as a narrow view; an empty view for text that
// is empty, not ASCII, or longer than `capacity`.
inline std::string_view AsciiKey(std::u16string_view wide, char* buffer, size_t capacity, bool lowerCase) {
  if (wide.size() > capacity) return {};
  for (size_t i = 0; i < wide.size(); ++i) {
    const char16_t c = wide[i];
    if (c >= 0x80) return {};
    buffer[i] = static_cast<char>(lowerCase && c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  }
  return std::string_view(buffer, wide.size());
}
