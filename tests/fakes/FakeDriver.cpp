#include "fakes/FakeDriver.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "device/DriverControlCodes.h"
#include "platform/Threading.h"

namespace fakes {

using platform::Handle;

std::string ControlCodeText(uint32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(code));
  return text;
}

void FakeDriver::SetPresent(bool present) {
  std::lock_guard<std::mutex> lock(mutex_);
  present_ = present;
}

void FakeDriver::Refuse(uint32_t code, int successes) {
  std::lock_guard<std::mutex> lock(mutex_);
  allowance_[code] = successes;
}

void FakeDriver::Allow(uint32_t code) {
  std::lock_guard<std::mutex> lock(mutex_);
  allowance_.erase(code);
}

void FakeDriver::RefuseEverything() {
  std::lock_guard<std::mutex> lock(mutex_);
  refuseAll_ = true;
}

void FakeDriver::HoldFetches(bool hold, uint32_t answerOn) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    holdFetches_ = hold;
    answerHeldOn_ = answerOn;
  }
  fetchChanged_.notify_all();
}

bool FakeDriver::WaitUntilFetchHeld() {
  std::unique_lock<std::mutex> lock(mutex_);
  return fetchChanged_.wait_for(lock, std::chrono::seconds(10), [&] { return fetchesHeld_ > 0; });
}

bool FakeDriver::ClosedDuringCall() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closedDuringCall_;
}

std::size_t FakeDriver::QueueEvents(const std::vector<uint32_t>& codes) {
  std::size_t queued = 0;
  for (uint32_t code : codes) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (state_.semaphore == 0) continue;
    // Queue first, so the woken thread finds the code; take it back when
    // the release fails, so codes and releases stay one to one.
    events_.push_back(code);
    if (platform::Service<platform::Threading>::Get().Release(state_.semaphore, 1)) {
      ++queued;
    } else {
      events_.pop_back();
    }
  }
  return queued;
}

std::vector<FakeDriver::Call> FakeDriver::Calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

std::vector<std::string> FakeDriver::Steps() const {
  std::vector<std::string> steps;
  for (const Call& call : Calls()) {
    switch (call.step) {
      case Step::kOpen: steps.push_back("open"); break;
      case Step::kOpenRefused: steps.push_back("open refused"); break;
      case Step::kClose: steps.push_back("close"); break;
      case Step::kControl: steps.push_back(ControlCodeText(call.code)); break;
    }
  }
  return steps;
}

std::size_t FakeDriver::CountOf(uint32_t code) const {
  std::size_t count = 0;
  for (const Call& call : Calls()) count += call.step == Step::kControl && call.code == code;
  return count;
}

std::vector<std::u16string> FakeDriver::OpenedPaths() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return openedPaths_;
}

FakeDriver::State FakeDriver::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

Handle FakeDriver::Open(const std::u16string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  openedPaths_.push_back(path);
  if (!present_ || state_.open) {
    calls_.push_back({Step::kOpenRefused, 0, 0, false});
    return 0;
  }
  state_.open = true;
  calls_.push_back({Step::kOpen, 0, 0, true});
  return kHandle;
}

bool FakeDriver::Control(Handle device, uint32_t code, const void* input, uint32_t inputSize, void* output,
                         uint32_t outputSize) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (code == device::kIoctlGetEvent && holdFetches_) {
    ++fetchesHeld_;
    fetchChanged_.notify_all();
    fetchChanged_.wait(lock, [&] { return !holdFetches_; });
    --fetchesHeld_;
  }
  if (answerHeldOn_ != 0 && code == answerHeldOn_) {
    holdFetches_ = false;
    fetchChanged_.notify_all();
  }
  uint32_t value = 0;
  if (input != nullptr && inputSize >= sizeof value) std::memcpy(&value, input, sizeof value);
  bool ok = device == kHandle && state_.open && present_ && !refuseAll_;
  const auto allowance = allowance_.find(code);
  if (ok && allowance != allowance_.end()) ok = allowance->second-- > 0;
  if (ok) {
    switch (code) {
      case device::kIoctlRegister:
        ok = inputSize == 4 && value != 0;
        if (ok) state_.semaphore = value;
        break;
      case device::kIoctlUnregister: state_.semaphore = 0; break;
      case device::kIoctlGetEvent:
        ok = outputSize == 4 && !events_.empty();
        if (ok) {
          std::memcpy(output, &events_.front(), sizeof(uint32_t));
          events_.pop_front();
        }
        break;
      case device::kIoctlMouseMask: state_.mouseMask = value; break;
      case device::kIoctlKeyMask: state_.keyMask = value; break;
      case device::kIoctlExtraKeyMask: state_.extraKeyMask = value; break;
      case device::kIoctlEnable: state_.enabled = value == 1; break;
      default: ok = false;
    }
  }
  calls_.push_back({Step::kControl, code, value, ok});
  return ok;
}

void FakeDriver::Close(Handle device) {
  if (beforeClose) beforeClose();
  std::lock_guard<std::mutex> lock(mutex_);
  if (fetchesHeld_ > 0) closedDuringCall_ = true;
  if (device != kHandle || !state_.open) return;
  state_.open = false;
  state_.semaphore = 0;
  calls_.push_back({Step::kClose, 0, 0, true});
}

}  // namespace fakes
