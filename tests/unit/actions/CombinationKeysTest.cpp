#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/CombinationKeys.h"
#include "fakes/FakeDesktop.h"

namespace {

using fakes::FakeDesktop;
using fakes::KeyLine;
using fakes::MouseLine;
using fakes::SleepLine;
using Lines = std::vector<std::string>;

// A key stroke as combinations play it: scan code from the layout, no
// extended flag, then the 50 ms pause.
Lines Down(uint8_t vk, uint8_t scan) { return {KeyLine(vk, 0, scan), SleepLine(50)}; }
Lines Up(uint8_t vk, uint8_t scan) { return {KeyLine(vk, 2, scan), SleepLine(50)}; }

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct ComboCase {
  const char* name;
  uint8_t bytes[3];
  Lines expected;
};

TEST(PlayCombinationTest, PlaysModifiersAroundTheKeysInTheirFixedOrder) {
  const Lines ctrlDown = Down(0x11, 0x1D), ctrlUp = Up(0x11, 0x1D);
  const Lines shiftDown = Down(0x10, 0x2A), shiftUp = Up(0x10, 0x2A);
  const Lines altDown = Down(0x12, 0x38), altUp = Up(0x12, 0x38);
  const Lines winDown = Down(0x5B, 0x5B), winUp = Up(0x5B, 0x5B);
  const ComboCase cases[] = {
      {"Ctrl+C", {0x01, 0x43, 0}, Join({ctrlDown, Down(0x43, 0x2E), Up(0x43, 0x2E), ctrlUp})},
      {"Shift+Alt+Delete: Shift first, released in the same order",
       {0x06, 0x2E, 0},
       Join({shiftDown, altDown, Down(0x2E, 0x53), Up(0x2E, 0x53), shiftUp, altUp})},
      {"F1 then F2, no modifiers",
       {0x00, 0x70, 0x71},
       Join({Down(0x70, 0x3B), Up(0x70, 0x3B), Down(0x71, 0x3C), Up(0x71, 0x3C)})},
      {"Ctrl+left button: no pause after the button",
       {0x01, 0xC1, 0},
       Join({ctrlDown, {MouseLine(0x0002), MouseLine(0x0004)}, ctrlUp})},
      {"right and middle buttons", {0x00, 0xC2, 0xC3},
       {MouseLine(0x0008), MouseLine(0x0010), MouseLine(0x0020), MouseLine(0x0040)}},
      {"right Ctrl as a key plays as Ctrl", {0x00, 0xA3, 0}, Join({Down(0x11, 0x1D), Up(0x11, 0x1D)})},
      {"side-specific Shift and Alt fold too", {0x00, 0xA1, 0xA4},
       Join({Down(0x10, 0x2A), Up(0x10, 0x2A), Down(0x12, 0x38), Up(0x12, 0x38)})},
      {"high Ctrl bit alone is Ctrl", {0x10, 0x43, 0}, Join({ctrlDown, Down(0x43, 0x2E), Up(0x43, 0x2E), ctrlUp})},
      {"Ctrl+Win: released Ctrl first", {0x09, 0, 0}, Join({ctrlDown, winDown, ctrlUp, winUp})},
      {"both bits of a pair press the modifier once", {0x11, 0, 0}, Join({ctrlDown, ctrlUp})},
      {"all four, high nibble", {0xF0, 0, 0},
       Join({ctrlDown, shiftDown, altDown, winDown, ctrlUp, shiftUp, altUp, winUp})},
      {"second key alone", {0x00, 0x00, 0x42}, Join({Down(0x42, 0x30), Up(0x42, 0x30)})},
  };
  for (const ComboCase& c : cases) {
    FakeDesktop desktop;
    actions::PlayCombination(c.bytes);
    EXPECT_EQ(desktop.log, c.expected) << c.name;
  }
}

TEST(PlayCombinationTest, CtrlAltSTakesSixKeyEventsAndThreeHundredMilliseconds) {
  FakeDesktop desktop;
  const uint32_t start = desktop.now;
  const uint8_t bytes[] = {0x05, 0x53, 0};
  actions::PlayCombination(bytes);
  EXPECT_EQ(desktop.InputLog().size(), 12u);
  EXPECT_EQ(desktop.now - start, 300u);
}

}  // namespace
