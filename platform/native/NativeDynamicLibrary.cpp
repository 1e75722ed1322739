#include <dlfcn.h>

#include "platform/DynamicLibrary.h"
#include "platform/native/NativeText.h"

// Shared objects through the dynamic loader.

namespace platform {
namespace {

class NativeDynamicLibrary final : public DynamicLibrary {
 public:
  Handle Load(const std::u16string& path) override {
    return reinterpret_cast<Handle>(dlopen(native::ToNativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL));
  }
  uintptr_t Export(Handle library, const char* name) override {
    if (library == 0) return 0;
    return reinterpret_cast<uintptr_t>(dlsym(reinterpret_cast<void*>(library), name));
  }
  void Free(Handle library) override {
    if (library != 0) dlclose(reinterpret_cast<void*>(library));
  }
};

}  // namespace

template <>
DynamicLibrary& Service<DynamicLibrary>::Default() {
  static NativeDynamicLibrary instance;
  return instance;
}

}  // namespace platform
