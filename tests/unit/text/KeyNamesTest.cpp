#include <gtest/gtest.h>

#include <map>

#include "platform/KeyboardLayout.h"
#include "text/KeyNames.h"

namespace {

using text::CombinationText;
using text::KeyName;

// These run against the build's own layout: US English natively, and the
// Wine prefix's default (also US English) under Windows.
TEST(KeyNameTest, FixedNamesAndUsLayoutCharacters) {
  struct Case {
    uint8_t code;
    const char16_t* name;
  };
  const Case cases[] = {
      {0x41, u"A"},      {0x5A, u"Z"},       {0x35, u"5"},         {0xBA, u";"},       {0xDE, u"'"},
      {0xBF, u"/"},      {0x0D, u"Enter"},   {0x2B, u"Enter"},     {0x6C, u"\\"},      {0x60, u"(0)"},
      {0x69, u"(9)"},    {0x6F, u"(/)"},     {0x70, u"F1"},        {0x7B, u"F12"},     {0x91, u"Scroll Lock"},
      {0xA5, u"RAlt"},   {0xC1, u"LButton"}, {0xC3, u"MButton"},   {0x00, u""},        {0xFF, u""},
      {0x2C, u"Snapshot"}, {0x5D, u"App"},   {0x7C, u""},  // F13 types nothing
  };
  for (const Case& c : cases) EXPECT_EQ(KeyName(c.code), c.name) << std::hex << int(c.code);
}

// A layout that types what the test tells it to, to check the character rule.
struct ScriptedLayout : platform::KeyboardLayout {
  uint32_t askedScanCode = 0;
  int produced = 1;
  uint16_t character = 0;
  uint32_t ScanCodeOf(uint32_t virtualKey) override { return virtualKey + 0x100; }
  int TranslateUnshifted(uint32_t virtualKey, uint32_t scanCode, uint16_t& out) override {
    askedScanCode = scanCode;
    out = character;
    return produced;
  }
};

TEST(KeyNameTest, CharacterRuleUsesTheLayoutsUnshiftedCharacter) {
  ScriptedLayout layout;
  platform::ScopedService<platform::KeyboardLayout> installed(layout);
  struct Case {
    int produced;
    uint16_t character;
    const char16_t* name;
  };
  const Case cases[] = {
      {1, u'q', u"Q"},       // lower-case letters are shown upper-case
      {1, u'#', u"#"},
      {1, 0xFC, u"\u00FC"},  // other letters stay as typed
      {1, 0x1E9E, u"\u009E"},  // only the low byte of the character counts
      {2, u'`', u"`"},       // a dead key's leftover: the first character
      {0, u'x', u""},        // the key types nothing
  };
  for (const Case& c : cases) {
    layout.produced = c.produced;
    layout.character = c.character;
    EXPECT_EQ(KeyName(0xBA), c.name) << c.character;
    EXPECT_EQ(layout.askedScanCode, 0xBAu + 0x100);
  }
  // Fixed names never ask the layout.
  layout.askedScanCode = 0;
  EXPECT_EQ(KeyName(0x09), u"Tab");
  EXPECT_EQ(layout.askedScanCode, 0u);
}

TEST(KeyNameTest, EveryCodeOfTheFixedTableAndNoOther) {
  // Every code not in the table asks the layout, which here types 'q'.
  ScriptedLayout layout;
  layout.character = u'q';
  platform::ScopedService<platform::KeyboardLayout> installed(layout);
  const std::map<int, std::u16string> fixed = {
      {0x00, u""},          {0x08, u"Backspace"}, {0x09, u"Tab"},      {0x0C, u"Clr"},
      {0x0D, u"Enter"},     {0x10, u"Shift"},     {0x11, u"Ctrl"},     {0x12, u"Alt"},
      {0x13, u"Pause"},     {0x14, u"CapsLock"},  {0x1B, u"Esc"},      {0x20, u"Space"},
      {0x21, u"PageUp"},    {0x22, u"PageDown"},  {0x23, u"End"},      {0x24, u"Home"},
      {0x25, u"Left"},      {0x26, u"Up"},        {0x27, u"Right"},    {0x28, u"Down"},
      {0x29, u"Select"},    {0x2A, u"Print"},     {0x2B, u"Enter"},    {0x2C, u"Snapshot"},
      {0x2D, u"Insert"},    {0x2E, u"Delete"},    {0x2F, u"Help"},     {0x5B, u"LWin"},
      {0x5C, u"RWin"},      {0x5D, u"App"},       {0x60, u"(0)"},      {0x61, u"(1)"},
      {0x62, u"(2)"},       {0x63, u"(3)"},       {0x64, u"(4)"},      {0x65, u"(5)"},
      {0x66, u"(6)"},       {0x67, u"(7)"},       {0x68, u"(8)"},      {0x69, u"(9)"},
      {0x6A, u"(*)"},       {0x6B, u"(+)"},       {0x6C, u"\\"},      {0x6D, u"(-)"},
      {0x6E, u"(.)"},       {0x6F, u"(/)"},       {0x70, u"F1"},       {0x71, u"F2"},
      {0x72, u"F3"},        {0x73, u"F4"},        {0x74, u"F5"},       {0x75, u"F6"},
      {0x76, u"F7"},        {0x77, u"F8"},        {0x78, u"F9"},       {0x79, u"F10"},
      {0x7A, u"F11"},       {0x7B, u"F12"},       {0x90, u"Numlock"},  {0x91, u"Scroll Lock"},
      {0xA0, u"LShift"},    {0xA1, u"RShift"},    {0xA2, u"LCtrl"},    {0xA3, u"RCtrl"},
      {0xA4, u"LAlt"},      {0xA5, u"RAlt"},      {0xC1, u"LButton"},  {0xC2, u"RButton"},
      {0xC3, u"MButton"},   {0xFF, u""},
  };
  for (int code = 0; code < 256; ++code) {
    const auto entry = fixed.find(code);
    const std::u16string expected = entry != fixed.end() ? entry->second : u"Q";
    EXPECT_EQ(KeyName(static_cast<uint8_t>(code)), expected) << std::hex << code;
  }
}

TEST(CombinationTextTest, ModifiersInDisplayOrderThenKeys) {
  struct Case {
    uint8_t modifiers, key1, key2;
    const char16_t* text;
  };
  const Case cases[] = {
      {0x05, 0x53, 0x00, u"Ctrl+Alt+S"},
      {0x00, 0x70, 0x71, u"F1+F2"},
      {0x00, 0x00, 0x00, u""},
      {0x01, 0xC1, 0x00, u"Ctrl+LButton"},
      {0x0F, 0x41, 0x42, u"Ctrl+Alt+Shift+Win+A+B"},
      {0x0A, 0x00, 0x2E, u"Shift+Win+Delete"},
      {0x10, 0x00, 0x00, u""},  // bits 4 to 7 are not shown
      {0xF8, 0x00, 0x00, u"Win"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CombinationText(c.modifiers, c.key1, c.key2), c.text)
        << int(c.modifiers) << " " << int(c.key1) << " " << int(c.key2);
}

}  // namespace
