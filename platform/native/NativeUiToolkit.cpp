#include "platform/UiToolkit.h"

// The native build shows nothing, so there is no toolkit to start.

namespace platform {
namespace {

class NativeUiToolkit final : public UiToolkit {
 public:
  std::uintptr_t Start() override { return 0; }
  void Stop(std::uintptr_t) override {}
};

}  // namespace

template <>
UiToolkit& Service<UiToolkit>::Default() {
  static NativeUiToolkit instance;
  return instance;
}

}  // namespace platform
