#include "text/NumberText.h"

#include <limits>

namespace text {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

int DigitValue(char16_t c, int base) {
  int value = 99;
  if (c >= u'0' && c <= u'9') value = c - u'0';
  else if (c >= u'a' && c <= u'z') value = c - u'a' + 10;
  else if (c >= u'A' && c <= u'Z') value = c - u'A' + 10;
  return value < base ? value : -1;
}

int32_t Parse(std::u16string_view text, int base) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  if (base == 16 && i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
      i + 2 < text.size() && DigitValue(text[i + 2], 16) >= 0)
    i += 2;
  // Saturate rather than wrap: the magnitude is kept just past the 32-bit
  // range once it gets there.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) break;
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<int32_t>(-magnitude);
  return magnitude >= kLimit ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(magnitude);
}

}  // namespace

int32_t ParseDecimal(std::u16string_view text) { return Parse(text, 10); }

int32_t ParseHexadecimal(std::u16string_view text) { return Parse(text, 16); }

}  // namespace text
