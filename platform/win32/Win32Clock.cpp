#include "platform/Clock.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32Clock final : public Clock {
 public:
  uint32_t TickCount() override { return GetTickCount(); }
  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
};

}  // namespace

template <>
Clock& Service<Clock>::Default() {
  static Win32Clock instance;
  return instance;
}

}  // namespace platform
