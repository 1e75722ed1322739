#include "platform/WindowMessages.h"

// The native build has no windows: nothing is found and nothing is posted.
// Tests that need windows install a fake.

namespace platform {
namespace {

class NativeWindowMessages final : public WindowMessages {
 public:
  WindowHandle FindWindowByTitle(const std::u16string&) override { return 0; }
  bool Post(WindowHandle, uint32_t, uintptr_t, intptr_t) override { return false; }
};

}  // namespace

template <>
WindowMessages& Service<WindowMessages>::Default() {
  static NativeWindowMessages instance;
  return instance;
}

}  // namespace platform
