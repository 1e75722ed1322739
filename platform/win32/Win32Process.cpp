#include "platform/Process.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32Process final : public Process {
 public:
  std::u16string ExecutablePath() override {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return win32::FromWide(path, length < MAX_PATH ? length : MAX_PATH - 1);
  }
};

}  // namespace

template <>
Process& Service<Process>::Default() {
  static Win32Process instance;
  return instance;
}

}  // namespace platform
