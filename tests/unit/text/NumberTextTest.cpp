#include <gtest/gtest.h>

#include "text/NumberText.h"

namespace {

TEST(NumberTextTest, HexadecimalWithAndWithoutPrefix) {
  struct Case {
    const char16_t* text;
    int32_t value;
  };
  const Case cases[] = {
      {u"9070", 0x9070},     {u"0x9070", 0x9070},   {u"0X9070", 0x9070},  {u"  0x1a", 0x1A},
      {u"-10", -0x10},       {u"+ff", 0xFF},        {u"12zz", 0x12},      {u"0x", 0},
      {u"0xg1", 0},          {u"", 0},              {u"zz", 0},           {u"7FFFFFFF", 0x7FFFFFFF},
      {u"FFFFFFFF", 0x7FFFFFFF},  // too large: the nearest 32-bit value
      {u"-FFFFFFFFF", INT32_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(text::ParseHexadecimal(c.text), c.value) << std::u16string(c.text).size();
}

TEST(NumberTextTest, DecimalStopsAtTheFirstNonDigit) {
  struct Case {
    const char16_t* text;
    int32_t value;
  };
  const Case cases[] = {
      {u"15", 15},  {u" 7", 7},          {u"-3", -3},          {u"3 lines", 3},
      {u"0x10", 0}, {u"", 0},            {u"abc", 0},          {u"99999999999", INT32_MAX},
      {u"\t\r\n42", 42},
  };
  for (const Case& c : cases) EXPECT_EQ(text::ParseDecimal(c.text), c.value);
}

}  // namespace
