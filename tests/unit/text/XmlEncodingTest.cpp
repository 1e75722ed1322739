// How CXmlNavigator turns the bytes of a file into text: byte-order marks,
// declared encodings, the UTF-8 guess and zero bytes.

#include <gtest/gtest.h>

#include <string>

#include "text/EncodingNameTable.h"
#include "text/XmlNavigator.h"

namespace {

using namespace std::string_literals;

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

struct DecodeCase {
  const char* what;
  std::string bytes;
  std::u16string expected;  // must appear in the decoded text
};

TEST(XmlEncoding, BytesBecomeTheRightText) {
  const std::u16string sample = u"<r><a>\u00e9\u20ac\U0001F600</a></r>";
  const DecodeCase cases[] = {
      {"UTF-8 mark wins over the declaration",
       "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1252\"?><r>caf\xC3\xA9</r>", u"<r>caf\u00e9</r>"},
      {"UTF-16LE mark", "\xFF\xFE"s + Utf16Bytes(sample, false), sample},
      {"UTF-16BE mark", "\xFE\xFF"s + Utf16Bytes(sample, true), sample},
      {"declared windows-1252 after a blank line",
       "\r\n<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<r>\x80\xE9</r>", u"<r>\u20ac\u00e9</r>"},
      {"declaration read without regard to case", "<?XML Version='1.0' ENCODING='Windows-1252'?><r>\x80</r>",
       u"<r>\u20ac</r>"},
      {"comment and document type may come first",
       "<!-- c --><!DOCTYPE r><?xml version='1.0' encoding='windows-1252'?><r>\x80</r>", u"<r>\u20ac</r>"},
      {"multibyte code page", "<?xml version='1.0' encoding='Shift_JIS'?><r>\x82\xA0</r>", u"<r>\u3042</r>"},
      {"HTML meta charset",
       "<html><head><meta name=x><meta http-equiv=\"content-type\" content=\"text/html; charset = windows-1252\">"
       "</head><body>\x80</body></html>",
       u"<body>\u20ac</body>"},
      {"a declaration after a tag is not read", "<r><?xml version='1.0' encoding='windows-1252'?>caf\xC3\xA9</r>",
       u"caf\u00e9</r>"},
      {"a declaration beyond the first 1024 bytes is not read",
       "<!--" + std::string(1100, ' ') + "--><?xml version='1.0' encoding='windows-1252'?><r>caf\xC3\xA9</r>",
       u"<r>caf\u00e9</r>"},
      {"no mark, no declaration, valid UTF-8", " <r>caf\xC3\xA9</r>", u"<r>caf\u00e9</r>"},
      {"no mark, no declaration, not UTF-8: ANSI", " <r>caf\xE9</r>", u"<r>caf\u00e9</r>"},
      {"a lead byte without its continuation fails the UTF-8 test", " <r>\xC3</r>", u"<r>\u00c3</r>"},
      {"starting with '<' means UTF-8 even for other bytes", "<r>caf\xE9</r>", u"<r>caf\ufffd</r>"},
      {"unknown declared name: ANSI", "<?xml version='1.0' encoding='no-such-thing'?><r>\x80</r>", u"<r>\u20ac</r>"},
      {"a code page the converter lacks still keeps the text",
       "<?xml version='1.0' encoding='utf-16'?><r>ok\xE9</r>", u"<r>ok\u00e9</r>"},
      {"zero bytes disappear", "<r>x\0y\0</r>"s, u"<r>xy</r>"},
      {"zero bytes go before conversion", "<r>\xC3\0\xA9</r>"s, u"<r>\u00e9</r>"},
      {"zero units disappear from UTF-16", "\xFF\xFE"s + Utf16Bytes(u"<r>x", false) + "\0\0"s +
                                               Utf16Bytes(u"y</r>", false), u"<r>xy</r>"},
  };
  for (const DecodeCase& c : cases) {
    CXmlNavigator xml;
    xml.LoadBytes(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size());
    EXPECT_NE(xml.Text().find(c.expected), std::u16string::npos) << c.what;
    EXPECT_EQ(xml.Text().find(u'\0'), std::u16string::npos) << c.what;
    EXPECT_NE(xml.Text().find(u'<'), std::u16string::npos) << c.what;
    EXPECT_FALSE(!xml.Text().empty() && (xml.Text()[0] == 0xFEFF || xml.Text()[0] == 0xFFFE)) << c.what;
  }
}

TEST(XmlEncoding, DecodedDocumentIsNavigable) {
  const std::string bytes = "\xFE\xFF"s + Utf16Bytes(u"<lang><config><tc_ok a='\u00e9'>OK</tc_ok></config></lang>", true);
  CXmlNavigator xml;
  ASSERT_TRUE(xml.LoadBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindChildElement(u"config"));
  ASSERT_TRUE(xml.EnterElement());
  ASSERT_TRUE(xml.FindChildElement(u"tc_ok"));
  EXPECT_EQ(xml.ChildText(), u"OK");
  EXPECT_EQ(xml.ChildAttribute(u"a"), u"\u00e9");
}

TEST(XmlEncoding, EncodingNames) {
  struct NameCase {
    std::u16string name;
    uint32_t codePage;
  };
  const NameCase cases[] = {
      {u"utf-8", 65001},          {u"UTF-8", 65001},         {u"utf-16", 1200},       {u"unicode", 1200},
      {u"utf-7", 65000},          {u"us-ascii", 20127},      {u"ascii", 20127},       {u"iso-8859-1", 28591},
      {u"latin1", 28591},         {u"windows-1252", 1252},   {u"Windows-1252", 1252}, {u"gb2312", 936},
      {u"gbk", 936},              {u"big5", 950},            {u"shift_jis", 932},     {u"SHIFT_JIS", 932},
      {u"euc-kr", 949},           {u"ks_c_5601-1987", 949},  {u"euc-jp", 51932},      {u"iso-2022-jp", 50220},
      {u"koi8-r", 20866},         {u"ibm437", 437},          {u"x-mac-japanese", 10001},
      {u"", 0},                   {u"utf8", 0},              {u"utf-8 ", 0},          {u"\u00fctf-8", 0},
      {std::u16string(99, u'a'), 0}, {u"utf-8" + std::u16string(100, u' '), 0},
  };
  for (const NameCase& c : cases) EXPECT_EQ(CodePageForEncodingName(c.name), c.codePage) << c.name.size();
}

}  // namespace
