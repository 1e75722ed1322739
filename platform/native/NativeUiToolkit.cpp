#include "platform/UiToolkit.h"

// The native build shows nothing, so there is no toolkit to start.

namespace platform {
namespace {

class NativeUiToolkit final : public UiToolkit {
 public:
  void UseCommonControls() override {}
  void UseImageLibrary() override {}
  void Stop() override {}
};

}  // namespace

template <>
UiToolkit& Service<UiToolkit>::Default() {
  static NativeUiToolkit instance;
  return instance;
}

}  // namespace platform
