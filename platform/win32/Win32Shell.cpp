#include "platform/Shell.h"
#include "platform/win32/WideString.h"

#include <shellapi.h>

namespace platform {
namespace {

class Win32Shell final : public Shell {
 public:
  bool Open(const std::u16string& target) override {
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", win32::Wide(target), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success.
    return reinterpret_cast<INT_PTR>(result) > 32;
  }
};

}  // namespace

template <>
Shell& Service<Shell>::Default() {
  static Win32Shell instance;
  return instance;
}

}  // namespace platform
