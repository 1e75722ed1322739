#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <map>
#include <string>
#include <vector>

#include "platform/ControlDevice.h"

namespace fakes {

// The filter driver as the program sees it through its control device:
// present or absent, refusing chosen codes, keeping the masks and the enable
// state, and on the driver's side queueing event codes and releasing the
// registered semaphore once per code. Safe to use from the event thread.
class FakeDriver final : public platform::ControlDevice {
 public:
  enum class Step { kOpen, kOpenRefused, kControl, kClose };
  struct Call {
    Step step;
    uint32_t code;   // control code, for kControl
    uint32_t value;  // the first 4 input bytes, 0 when there were fewer
    bool ok;
  };

  static constexpr platform::Handle kHandle = 0x5150;

  void SetPresent(bool present);
  // From now on `code` fails, after succeeding `successes` more times.
  void Refuse(uint32_t code, int successes = 0);
  void Allow(uint32_t code);
  void RefuseEverything();

  // From now on get-event requests wait unanswered, as a driver may keep a
  // request pending, until HoldFetches(false) or until the driver receives
  // `answerOn` (0: no such code). The waiting request does not block other
  // calls, and it is recorded when it is answered.
  void HoldFetches(bool hold, uint32_t answerOn = 0);
  // Waits until a get-event request is being held; false after 10 s.
  bool WaitUntilFetchHeld();
  // Whether the handle was closed while a request on it was still pending.
  bool ClosedDuringCall() const;
  // Runs at the start of every Close, on the closing thread.
  std::function<void()> beforeClose;

  // Driver side: one code per release of the registered semaphore, in order.
  // Returns how many were queued; the rest found the semaphore at its maximum
  // (or none registered) and were dropped.
  std::size_t QueueEvents(const std::vector<uint32_t>& codes);

  std::vector<Call> Calls() const;
  // "open", "close" and the control codes, in the order they arrived.
  std::vector<std::string> Steps() const;
  std::size_t CountOf(uint32_t code) const;
  std::vector<std::u16string> OpenedPaths() const;
  // What the driver keeps.
  struct State {
    platform::Handle semaphore = 0;  // registered; 0 when none
    uint32_t mouseMask = 0;
    uint32_t keyMask = 0;
    uint32_t extraKeyMask = 0;
    bool enabled = false;
    bool open = false;  // a handle is open
  };
  State Snapshot() const;
  platform::Handle RegisteredSemaphore() const { return Snapshot().semaphore; }
  uint32_t MouseMask() const { return Snapshot().mouseMask; }
  uint32_t KeyMask() const { return Snapshot().keyMask; }
  uint32_t ExtraKeyMask() const { return Snapshot().extraKeyMask; }
  bool Enabled() const { return Snapshot().enabled; }
  bool HandleOpen() const { return Snapshot().open; }

  platform::Handle Open(const std::u16string& path) override;
  bool Control(platform::Handle device, uint32_t code, const void* input, uint32_t inputSize, void* output,
               uint32_t outputSize) override;
  void Close(platform::Handle device) override;

 private:
  mutable std::mutex mutex_;
  std::condition_variable fetchChanged_;
  bool holdFetches_ = false;
  uint32_t answerHeldOn_ = 0;
  int fetchesHeld_ = 0;
  bool closedDuringCall_ = false;
  bool present_ = true;
  bool refuseAll_ = false;
  std::map<uint32_t, int> allowance_;  // successes left for a refused code
  State state_;
  std::vector<Call> calls_;
  std::vector<std::u16string> openedPaths_;
  std::deque<uint32_t> events_;
};

// Hex text of a control code as the steps list it, e.g. "0x22240C".
std::string ControlCodeText(uint32_t code);

}  // namespace fakes
