#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "fakes/FakeWindowMessages.h"
#include "platform/WindowMessages.h"

namespace fakes {

// Records posted messages from any thread, and lets a test wait for them.
class ConcurrentWindowMessages final : public platform::WindowMessages {
 public:
  using Posted = FakeWindowMessages::Posted;

  platform::WindowHandle FindWindowByTitle(const std::u16string&) override { return 0; }

  bool Post(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      posted_.push_back({window, message, wParam, lParam});
    }
    arrived_.notify_all();
    return true;
  }

  // True once at least `count` messages were posted. The limit only keeps a
  // broken channel from hanging the test run.
  bool WaitForPosts(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    std::unique_lock<std::mutex> lock(mutex_);
    return arrived_.wait_for(lock, limit, [&] { return posted_.size() >= count; });
  }

  std::vector<Posted> Posts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return posted_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<Posted> posted_;
};

}  // namespace fakes
