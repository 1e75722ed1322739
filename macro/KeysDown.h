#pragma once

// The keys and mouse buttons a recording has pressed and not released yet.
// A macro that ends with one of them down leaves it held in whatever
// program plays it, so a recording keeps room in the macro for their
// releases and appends them when it ends, however it ends.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace macro {

class KeysDown {
 public:
  void Clear() { codes_.clear(); }
  bool Empty() const { return codes_.empty(); }

  // Whether the event (`code` pressed or released) may be appended to a
  // macro of `eventCount` events: after it the releases then owed must
  // still fit below the macro's limit of events.
  bool Fits(std::size_t eventCount, uint8_t code, bool released) const;
  // Takes note of an event appended to the macro.
  void Note(uint8_t code, bool released);
  // The releases owed, the key pressed last first; none are owed after.
  std::vector<uint8_t> TakeReleases();

 private:
  bool IsDown(uint8_t code) const;

  std::vector<uint8_t> codes_;  // in the order they went down
};

}  // namespace macro
