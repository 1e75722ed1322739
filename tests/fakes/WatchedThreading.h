#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "platform/Threading.h"

namespace fakes {

// The build's own threads and semaphores, noting what the channel asked for
// and whether shutdown saw the event thread end.
class WatchedThreading final : public platform::Threading {
 public:
  platform::Handle NewSemaphore(int32_t initial, int32_t maximum) override {
    semaphoreMaximum = maximum;
    const platform::Handle semaphore = real_.NewSemaphore(initial, maximum);
    std::lock_guard<std::mutex> lock(mutex_);
    semaphores_[semaphore] = {initial, 0};
    return semaphore;
  }
  // The count a semaphore gets is noted before the real release and the
  // count a wait took after the real wait, so the noted count is never
  // below the real one.
  bool Release(platform::Handle semaphore, int32_t count) override {
    Note(semaphore, count, 0);
    const bool released = real_.Release(semaphore, count);
    if (!released) Note(semaphore, -count, 0);
    return released;
  }
  bool Wait(platform::Handle semaphore) override {
    Note(semaphore, 0, 1);
    const bool taken = real_.Wait(semaphore);
    Note(semaphore, taken ? -1 : 0, -1);
    return taken;
  }
  platform::Handle StartThread(uint32_t stackSize, platform::ThreadRoutine routine, void* parameter) override {
    threadStackSize = stackSize;
    thread_ = real_.StartThread(stackSize, routine, parameter);
    return thread_;
  }
  bool WaitForThread(platform::Handle thread, uint32_t timeoutMs) override {
    // A bounded wait that runs out: the thread goes on as it is.
    threadEnded = !endWaitRunsOut && real_.WaitForThread(thread, timeoutMs);
    return threadEnded;
  }
  void Close(platform::Handle object) override {
    closed.push_back(object);
    // The handle of a thread left running stays usable for FinishThread.
    if (endWaitRunsOut && object == thread_) return;
    real_.Close(object);
  }

  // Whether a thread waits on `semaphore` with no count left, so that it
  // waits until someone releases it. Only for a semaphore that nothing but
  // this service releases (not the driver's event semaphore).
  bool Starved(platform::Handle semaphore) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = semaphores_.find(semaphore);
    return found != semaphores_.end() && found->second.waiting > 0 && found->second.count <= 0;
  }

  // After a wait that ran out: waits until the thread has really ended and
  // closes its handle. False when it is still running after 10 s.
  bool FinishThread() {
    const bool ended = real_.WaitForThread(thread_, 10000);
    real_.Close(thread_);
    return ended;
  }

  int32_t semaphoreMaximum = 0;
  uint32_t threadStackSize = 0;
  bool threadEnded = false;
  // Makes every wait for a thread's end give up at once, as if the thread
  // were stuck for longer than the wait.
  bool endWaitRunsOut = false;
  std::vector<platform::Handle> closed;

 private:
  struct Semaphore {
    int32_t count;
    int32_t waiting;
  };
  void Note(platform::Handle semaphore, int32_t count, int32_t waiting) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = semaphores_.find(semaphore);
    if (found == semaphores_.end()) return;
    found->second.count += count;
    found->second.waiting += waiting;
  }

  std::mutex mutex_;
  std::map<platform::Handle, Semaphore> semaphores_;
  platform::Threading& real_ = platform::Service<platform::Threading>::Default();
  platform::Handle thread_ = 0;
};

}  // namespace fakes
