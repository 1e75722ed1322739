#pragma once

// The keyboard hook as the macro recorder uses it: reports of every key are
// switched on while recording and off otherwise. The reports themselves
// arrive at the recording window as messages.

namespace macro {

class KeyboardHook {
 public:
  virtual ~KeyboardHook() = default;
  // Whether the reports can be switched at all; without that nothing is
  // ever recorded.
  virtual bool CanSwitch() const = 0;
  virtual void SetStatus(bool on) = 0;
};

}  // namespace macro
