#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "actions/CombinationCapture.h"

namespace {

using actions::CombinationCapture;

// One report of the keyboard hook: virtual key and flags (0x80 = released).
struct Report {
  uint32_t key;
  uint32_t flags;
};
Report Down(uint32_t key, uint32_t flags = 0) { return {key, flags}; }
Report Up(uint32_t key, uint32_t flags = 0) { return {key, flags | 0x80}; }

struct CaptureCase {
  const char* name;
  std::vector<Report> reports;
  uint8_t modifiers, key1, key2;
  bool recording;
};

TEST(CombinationCaptureTest, KeySequencesGiveTheirCombination) {
  const CaptureCase cases[] = {
      {"Ctrl+S, left Ctrl as the hook reports it",
       {Down(0xA2), Down(0x53), Up(0x53), Up(0xA2)}, 0x01, 0x53, 0x00, false},
      {"at most two keys: Ctrl+A+B+C keeps A and B",
       {Down(0xA2), Down(0x41), Down(0x42), Down(0x43), Up(0x43), Up(0x42), Up(0x41), Up(0xA2)},
       0x01, 0x41, 0x42, false},
      {"a finished recording is replaced by the next press",
       {Down(0x41), Up(0x41), Down(0x41)}, 0x00, 0x41, 0x00, true},
      {"a new first press clears a finished Ctrl+S",
       {Down(0xA2), Down(0x53), Up(0x53), Up(0xA2), Down(0x58)}, 0x00, 0x58, 0x00, true},
      {"the recording ends with the first key's release, not another's",
       {Down(0xA2), Down(0x53), Up(0x53), Down(0x54), Up(0x54), Up(0xA2)}, 0x01, 0x53, 0x54, false},
      {"keys pressed after the first key's release start afresh",
       {Down(0x41), Down(0x42), Up(0x41), Down(0x43)}, 0x00, 0x43, 0x00, true},
      {"right Alt is the Alt bit, extended and Alt flags aside",
       {Down(0xA5, 0x21), Down(0x4B), Up(0x4B), Up(0xA5, 0x01)}, 0x04, 0x4B, 0x00, false},
      {"left Alt", {Down(0xA4), Down(0x4B)}, 0x04, 0x4B, 0x00, true},
      {"plain Alt", {Down(0x12), Down(0x4B)}, 0x04, 0x4B, 0x00, true},
      {"right and left Win", {Down(0x5C), Down(0x5B), Down(0x45)}, 0x08, 0x45, 0x00, true},
      {"left, right and plain Shift", {Down(0xA0), Down(0xA1), Down(0x10)}, 0x02, 0x00, 0x00, true},
      {"right and plain Ctrl", {Down(0xA3), Down(0x11)}, 0x01, 0x00, 0x00, true},
      {"all four modifiers, then two keys", {Down(0xA3), Down(0xA1), Down(0xA5), Down(0x5C), Down(0x70), Down(0x2E)},
       0x0F, 0x70, 0x2E, true},
      {"modifiers still count after two keys", {Down(0x41), Down(0x42), Down(0x43), Down(0xA0)},
       0x02, 0x41, 0x42, true},
      {"a key pressed again stays the first key", {Down(0xA2), Down(0x41), Up(0x41), Down(0x41), Down(0x42)},
       0x01, 0x41, 0x42, true},
      {"Enter, Esc and Space are keys like any other", {Down(0x0D), Down(0x1B), Down(0x20)},
       0x00, 0x0D, 0x1B, true},
      {"a release while idle starts nothing", {Up(0x41), Up(0xA2)}, 0x00, 0x00, 0x00, false},
      {"a held key's repeated press is one press", {Down(0xA2), Down(0xA2), Down(0xA2), Down(0x53), Down(0x53)},
       0x01, 0x53, 0x00, true},
  };
  for (const CaptureCase& c : cases) {
    SCOPED_TRACE(c.name);
    CombinationCapture capture;
    for (const Report& report : c.reports) capture.OnHookKey(report.key, report.flags);
    EXPECT_EQ(capture.Current().modifiers, c.modifiers);
    EXPECT_EQ(capture.Current().key1, c.key1);
    EXPECT_EQ(capture.Current().key2, c.key2);
    EXPECT_EQ(capture.IsRecording(), c.recording);
  }
}

TEST(CombinationCaptureTest, StartsEmptyAndIdle) {
  const CombinationCapture capture;
  EXPECT_EQ(capture.Current().modifiers, 0);
  EXPECT_EQ(capture.Current().key1, 0);
  EXPECT_EQ(capture.Current().key2, 0);
  EXPECT_FALSE(capture.IsRecording());
}

// The window redraws the combination when a press went into it; a report
// repeating the one before it is dropped, a release asks for nothing.
TEST(CombinationCaptureTest, AsksForARedrawOnlyForPressesThatCount) {
  CombinationCapture capture;
  EXPECT_TRUE(capture.OnHookKey(0xA2, 0x00));
  EXPECT_FALSE(capture.OnHookKey(0xA2, 0x00)) << "auto-repeat of Ctrl";
  EXPECT_TRUE(capture.OnHookKey(0x53, 0x00));
  EXPECT_FALSE(capture.OnHookKey(0x53, 0x80));
  EXPECT_FALSE(capture.OnHookKey(0xA2, 0x80));
  EXPECT_FALSE(capture.OnHookKey(0x41, 0x80)) << "a release while idle";
  EXPECT_TRUE(capture.OnHookKey(0x41, 0x00)) << "the next press clears and records";
}

}  // namespace
