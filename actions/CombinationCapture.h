#pragma once

// Builds the key combination a button is given from the keyboard hook's
// reports of key presses and releases, as the combination dialog shows it.
//
// A recording starts with the first key pressed while none is under way and
// ends when that same key is released; every key pressed in between, the
// first included, goes into the combination, which then stays as it is
// until the next press starts a fresh recording. Shift, Ctrl, Alt and Win,
// either side, become modifier bits; of the other keys the first two count.

#include <cstdint>

namespace actions {

// The three combination bytes of an assignment: modifier bits
// (codes/KeyCodes.h), first key, second key (0 for none).
struct Combination {
  uint8_t modifiers = 0;
  uint8_t key1 = 0;
  uint8_t key2 = 0;
};

class CombinationCapture {
 public:
  // One report of the hook: the virtual key and its flags, whose
  // kbgetkey::kKeyReleasedFlag marks a release. True when the combination
  // may have changed and should be shown again. A report equal to the one
  // before it (a held key repeating) is ignored.
  bool OnHookKey(uint32_t virtualKey, uint32_t flags);

  const Combination& Current() const { return combination_; }
  bool IsRecording() const { return recording_; }

 private:
  void Add(uint8_t virtualKey);

  uint32_t lastKey_ = 0;
  uint32_t lastFlags_ = 0;
  bool recording_ = false;
  uint32_t firstKey_ = 0;
  Combination combination_;
};

}  // namespace actions
