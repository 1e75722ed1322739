#include "text/KeyNames.h"

#include <array>

#include "codes/KeyCodes.h"
#include "platform/KeyboardLayout.h"
#include "platform/WideText.h"

namespace text {
namespace {

// Fixed key names; a null entry falls back to the layout's character.
struct FixedNames {
  std::array<const char*, 256> name{};
  constexpr FixedNames() {
    name[0x00] = "";
    name[0x08] = "Backspace";
    name[0x09] = "Tab";
    name[0x0C] = "Clr";
    name[0x0D] = "Enter";
    name[0x10] = "Shift";
    name[0x11] = "Ctrl";
    name[0x12] = "Alt";
    name[0x13] = "Pause";
    name[0x14] = "CapsLock";
    name[0x1B] = "Esc";
    name[0x20] = "Space";
    name[0x21] = "PageUp";
    name[0x22] = "PageDown";
    name[0x23] = "End";
    name[0x24] = "Home";
    name[0x25] = "Left";
    name[0x26] = "Up";
    name[0x27] = "Right";
    name[0x28] = "Down";
    name[0x29] = "Select";
    name[0x2A] = "Print";
    name[0x2B] = "Enter";  // the Execute key is shown as Enter too
    name[0x2C] = "Snapshot";
    name[0x2D] = "Insert";
    name[0x2E] = "Delete";
    name[0x2F] = "Help";
    name[0x5B] = "LWin";
    name[0x5C] = "RWin";
    name[0x5D] = "App";
    constexpr const char* kNumpadDigits[] = {"(0)", "(1)", "(2)", "(3)", "(4)",
                                             "(5)", "(6)", "(7)", "(8)", "(9)"};
    for (int i = 0; i < 10; ++i) name[0x60 + i] = kNumpadDigits[i];
    name[0x6A] = "(*)";
    name[0x6B] = "(+)";
    name[0x6C] = "\\";
    name[0x6D] = "(-)";
    name[0x6E] = "(.)";
    name[0x6F] = "(/)";
    constexpr const char* kFunctionKeys[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                             "F7", "F8", "F9", "F10", "F11", "F12"};
    for (int i = 0; i < 12; ++i) name[0x70 + i] = kFunctionKeys[i];
    name[0x90] = "Numlock";
    name[0x91] = "Scroll Lock";
    name[0xA0] = "LShift";
    name[0xA1] = "RShift";
    name[0xA2] = "LCtrl";
    name[0xA3] = "RCtrl";
    name[0xA4] = "LAlt";
    name[0xA5] = "RAlt";
    name[codes::kLeftButtonCode] = "LButton";
    name[codes::kRightButtonCode] = "RButton";
    name[codes::kMiddleButtonCode] = "MButton";
    name[0xFF] = "";
  }
};
constexpr FixedNames kFixedNames{};

void AppendPart(std::u16string& text, const std::u16string& part) {
  if (!text.empty()) text.push_back(u'+');
  text += part;
}

}  // namespace

std::u16string KeyName(uint8_t code) {
  if (const char* fixed = kFixedNames.name[code]) return platform::WidenAscii(fixed);
  platform::KeyboardLayout& layout = platform::Service<platform::KeyboardLayout>::Get();
  uint16_t produced = 0;
  if (layout.TranslateUnshifted(code, layout.ScanCodeOf(code), produced) <= 0) return std::u16string();
  // Only the low byte is taken, as the character comes from an 8-bit layout.
  char16_t character = static_cast<char16_t>(produced & 0xFF);
  if (character >= u'a' && character <= u'z') character = static_cast<char16_t>(character - u'a' + u'A');
  return std::u16string(1, character);
}

std::u16string CombinationText(uint8_t modifiers, uint8_t key1, uint8_t key2) {
  std::u16string text;
  if (modifiers & codes::kComboCtrl) AppendPart(text, u"Ctrl");
  if (modifiers & codes::kComboAlt) AppendPart(text, u"Alt");
  if (modifiers & codes::kComboShift) AppendPart(text, u"Shift");
  if (modifiers & codes::kComboWin) AppendPart(text, u"Win");
  if (key1 != 0) AppendPart(text, KeyName(key1));
  if (key2 != 0) AppendPart(text, KeyName(key2));
  return text;
}

}  // namespace text
