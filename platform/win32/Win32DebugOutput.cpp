#include "platform/DebugOutput.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32DebugOutput final : public DebugOutput {
 public:
  void Write(const std::u16string& text) override { OutputDebugStringW(win32::Wide(text)); }
};

}  // namespace

template <>
DebugOutput& Service<DebugOutput>::Default() {
  static Win32DebugOutput instance;
  return instance;
}

}  // namespace platform
