#include <cstdio>
#include "platform/DebugOutput.h"
#include "platform/native/NativeText.h"

// Debugger output goes to standard error natively.

namespace platform {
namespace {

class NativeDebugOutput final : public DebugOutput {
 public:
  void Write(const std::u16string& text) override {
    std::fputs(native::Utf16ToUtf8(text).c_str(), stderr);
  }
};

}  // namespace

template <>
DebugOutput& Service<DebugOutput>::Default() {
  static NativeDebugOutput instance;
  return instance;
}

}  // namespace platform
