#include "platform/DynamicLibrary.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32DynamicLibrary final : public DynamicLibrary {
 public:
  Handle Load(const std::u16string& path) override { return win32::ToHandle(LoadLibraryW(win32::Wide(path))); }
  uintptr_t Export(Handle library, const char* name) override {
    if (library == 0) return 0;
    return reinterpret_cast<uintptr_t>(GetProcAddress(win32::FromHandle<HMODULE>(library), name));
  }
  void Free(Handle library) override {
    if (library != 0) FreeLibrary(win32::FromHandle<HMODULE>(library));
  }
};

}  // namespace

template <>
DynamicLibrary& Service<DynamicLibrary>::Default() {
  static Win32DynamicLibrary instance;
  return instance;
}

}  // namespace platform
