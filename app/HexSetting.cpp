#include "app/HexSetting.h"

#include <cstdio>

namespace app {
namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

int32_t ParseHexSetting(const std::u16string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) i += 2;
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) break;
    if (value > 0x0FFFFFFFu) return static_cast<int32_t>(0xFFFFFFFFu);
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(value);
}

std::u16string FormatHexSetting(int32_t value) {
  char text[16];
  const int length = std::snprintf(text, sizeof(text), "0x%x", static_cast<unsigned int>(value));
  return std::u16string(text, text + (length > 0 ? length : 0));
}

}  // namespace app
