// Without a window system the hidden window is only a distinct token: it
// receives nothing and destroying it has nothing to release.

#include "platform/HiddenWindow.h"

#include <atomic>

namespace platform {
namespace {

class TokenHiddenWindow : public HiddenWindow {
 public:
  WindowHandle Create(const std::u16string& /*className*/, const std::u16string& /*windowName*/) override {
    return next_++;
  }
  void Destroy(WindowHandle /*window*/) override {}

 private:
  std::atomic<WindowHandle> next_{0x10000};
};

}  // namespace

template <>
HiddenWindow& Service<HiddenWindow>::Default() {
  static TokenHiddenWindow windows;
  return windows;
}

}  // namespace platform
