#include "platform/Shell.h"

// The native build opens nothing: it has no desktop to hand things to, and
// tests that open things install a recording fake.

namespace platform {
namespace {

class NativeShell final : public Shell {
 public:
  bool Open(const std::u16string&) override { return false; }
};

}  // namespace

template <>
Shell& Service<Shell>::Default() {
  static NativeShell instance;
  return instance;
}

}  // namespace platform
