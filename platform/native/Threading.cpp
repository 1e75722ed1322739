// Threads and counting semaphores from the C++ library. Handles index a
// table rather than point at objects, so a handle value fits in the 32 bits
// a driver would be given, and a closed or unknown handle is refused
// instead of touching freed memory.

#include "platform/Threading.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {
namespace {

struct Semaphore {
  std::mutex mutex;
  std::condition_variable changed;
  int32_t count = 0;
  int32_t maximum = 0;
};

struct Thread {
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
};

class NativeThreading : public Threading {
 public:
  Handle NewSemaphore(int32_t initialCount, int32_t maximumCount) override {
    if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount) return 0;
    auto semaphore = std::make_shared<Semaphore>();
    semaphore->count = initialCount;
    semaphore->maximum = maximumCount;
    std::lock_guard<std::mutex> lock(mutex_);
    const Handle handle = next_++;
    semaphores_[handle] = std::move(semaphore);
    return handle;
  }

  bool Release(Handle handle, int32_t count) override {
    const std::shared_ptr<Semaphore> semaphore = FindSemaphore(handle);
    if (!semaphore || count <= 0) return false;
    {
      std::lock_guard<std::mutex> lock(semaphore->mutex);
      if (count > semaphore->maximum - semaphore->count) return false;
      semaphore->count += count;
    }
    semaphore->changed.notify_all();
    return true;
  }

  bool Wait(Handle handle) override {
    // The shared pointer keeps the semaphore alive for a waiter even when
    // its handle is closed meanwhile, as a kernel object outlives its handle.
    const std::shared_ptr<Semaphore> semaphore = FindSemaphore(handle);
    if (!semaphore) return false;
    std::unique_lock<std::mutex> lock(semaphore->mutex);
    semaphore->changed.wait(lock, [&] { return semaphore->count > 0; });
    --semaphore->count;
    return true;
  }

  Handle StartThread(uint32_t /*stackSize*/, ThreadRoutine routine, void* parameter) override {
    auto thread = std::make_shared<Thread>();
    try {
      std::thread([thread, routine, parameter] {
        routine(parameter);
        {
          std::lock_guard<std::mutex> lock(thread->mutex);
          thread->done = true;
        }
        thread->ended.notify_all();
      }).detach();
    } catch (const std::system_error&) {
      return 0;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    const Handle handle = next_++;
    threads_[handle] = std::move(thread);
    return handle;
  }

  bool WaitForThread(Handle handle, uint32_t timeoutMs) override {
    std::shared_ptr<Thread> thread;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto found = threads_.find(handle);
      if (found == threads_.end()) return false;
      thread = found->second;
    }
    std::unique_lock<std::mutex> lock(thread->mutex);
    return thread->ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return thread->done; });
  }

  void Close(Handle handle) override {
    std::lock_guard<std::mutex> lock(mutex_);
    semaphores_.erase(handle);
    threads_.erase(handle);
  }

 private:
  std::shared_ptr<Semaphore> FindSemaphore(Handle handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = semaphores_.find(handle);
    return found == semaphores_.end() ? nullptr : found->second;
  }

  std::mutex mutex_;
  Handle next_ = 4;  // never 0; small, like kernel handle values
  std::map<Handle, std::shared_ptr<Semaphore>> semaphores_;
  std::map<Handle, std::shared_ptr<Thread>> threads_;
};

}  // namespace

template <>
Threading& Service<Threading>::Default() {
  static NativeThreading threading;
  return threading;
}

}  // namespace platform
