#include "platform/Clock.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32Clock final : public Clock {
 public:
  uint32_t TickCount() override { return GetTickCount(); }
  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
  bool SleepUntilPosted(uint32_t milliseconds) override {
    return MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_POSTMESSAGE, 0) == WAIT_OBJECT_0;
  }
};

}  // namespace

template <>
Clock& Service<Clock>::Default() {
  static Win32Clock instance;
  return instance;
}

}  // namespace platform
