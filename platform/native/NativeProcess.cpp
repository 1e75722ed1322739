#include <unistd.h>

#include <string>
#include "platform/Process.h"
#include "platform/native/NativeText.h"


namespace platform {
namespace {

class NativeProcess final : public Process {
 public:
  std::u16string ExecutablePath() override {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0) return std::u16string();
    return native::Utf8ToUtf16(std::string(buffer, static_cast<std::size_t>(length)));
  }
};

}  // namespace

template <>
Process& Service<Process>::Default() {
  static NativeProcess instance;
  return instance;
}

}  // namespace platform
