// There is no filter driver outside Windows: the control device is always
// absent, exactly as on a Windows machine without the driver installed.

#include "platform/ControlDevice.h"

namespace platform {
namespace {

class AbsentControlDevice : public ControlDevice {
 public:
  Handle Open(const std::u16string& /*path*/) override { return 0; }
  bool Control(Handle, uint32_t, const void*, uint32_t, void*, uint32_t) override { return false; }
  void Close(Handle) override {}
};

}  // namespace

template <>
ControlDevice& Service<ControlDevice>::Default() {
  static AbsentControlDevice device;
  return device;
}

}  // namespace platform
