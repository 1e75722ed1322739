#include "platform/ControlDevice.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

using win32::FromHandle;

class Win32ControlDevice final : public ControlDevice {
 public:
  Handle Open(const std::u16string& path) override {
    const HANDLE device = CreateFileW(win32::Wide(path), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    return device == INVALID_HANDLE_VALUE ? 0 : win32::ToHandle(device);
  }

  bool Control(Handle device, uint32_t code, const void* input, uint32_t inputSize, void* output,
               uint32_t outputSize) override {
    DWORD returned = 0;
    return DeviceIoControl(FromHandle<HANDLE>(device), code, const_cast<void*>(input), inputSize, output,
                           outputSize, &returned, nullptr) != FALSE;
  }

  void Close(Handle device) override { CloseHandle(FromHandle<HANDLE>(device)); }
};

}  // namespace

template <>
ControlDevice& Service<ControlDevice>::Default() {
  static Win32ControlDevice device;
  return device;
}

}  // namespace platform
