#include <chrono>
#include <thread>

#include "platform/Clock.h"

namespace platform {
namespace {

class NativeClock final : public Clock {
 public:
  uint32_t TickCount() override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
  void Sleep(uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

}  // namespace

template <>
Clock& Service<Clock>::Default() {
  static NativeClock instance;
  return instance;
}

}  // namespace platform
