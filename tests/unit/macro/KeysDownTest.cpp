// The keys a recording holds down: room is kept in the macro for their
// releases, and the releases come last pressed first.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "macro/KeysDown.h"

namespace {

struct Press {
  uint8_t code;
  bool released;
};

TEST(KeysDown, AnEventFitsOnlyWithRoomLeftForTheReleasesOwedAfterIt) {
  // A macro holds 199 events.
  struct Case {
    const char* what;
    std::vector<Press> before;  // events already noted
    std::size_t eventCount;
    Press next;
    bool fits;
  };
  const Case cases[] = {
      {"a press with room for its release", {}, 197, {0x41, false}, true},
      {"a press whose release would not fit", {}, 198, {0x41, false}, false},
      {"a press while Shift is down, both releases fitting", {{0xA0, false}}, 196, {0x41, false}, true},
      {"a press while Shift is down, Shift's release not fitting", {{0xA0, false}}, 197, {0x41, false}, false},
      {"the release of a key down: its room was kept", {{0x41, false}}, 198, {0x41, true}, true},
      {"the release of a key never pressed", {}, 198, {0x41, true}, true},
      {"no room left at all", {}, 199, {0x41, true}, false},
      {"a second press of a key down owes no second release", {{0x41, false}}, 197, {0x41, false}, true},
      {"a mouse button like a key", {{0xC1, false}}, 197, {0xC2, false}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    macro::KeysDown keys;
    for (const Press& p : c.before) keys.Note(p.code, p.released);
    EXPECT_EQ(keys.Fits(c.eventCount, c.next.code, c.next.released), c.fits);
  }
}

TEST(KeysDown, TheReleasesOwedComeLastPressedFirst) {
  struct Case {
    const char* what;
    std::vector<Press> events;
    std::vector<uint8_t> releases;
  };
  const Case cases[] = {
      {"nothing down", {{0x41, false}, {0x41, true}}, {}},
      {"Ctrl and Shift held around A", {{0xA2, false}, {0xA0, false}, {0x41, false}, {0x41, true}}, {0xA0, 0xA2}},
      {"a key pressed twice is released once", {{0x28, false}, {0x28, false}}, {0x28}},
      {"a release without a press owes nothing", {{0x09, true}, {0xC1, false}}, {0xC1}},
      {"left and right Shift apart", {{0xA0, false}, {0xA1, false}, {0xA0, true}}, {0xA1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    macro::KeysDown keys;
    for (const Press& p : c.events) keys.Note(p.code, p.released);
    EXPECT_EQ(keys.Empty(), c.releases.empty());
    EXPECT_EQ(keys.TakeReleases(), c.releases);
    EXPECT_TRUE(keys.Empty());
  }
}

}  // namespace
