#include "platform/NamedMutex.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32NamedMutex final : public NamedMutex {
 public:
  NamedMutexResult Create(const std::u16string& name) override {
    NamedMutexResult result;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, win32::Wide(name));
    result.alreadyExisted = GetLastError() == ERROR_ALREADY_EXISTS;
    result.handle = win32::ToHandle(mutex);
    return result;
  }
  void Release(Handle mutex) override { ReleaseMutex(win32::FromHandle<HANDLE>(mutex)); }
  void Close(Handle mutex) override { CloseHandle(win32::FromHandle<HANDLE>(mutex)); }
};

}  // namespace

template <>
NamedMutex& Service<NamedMutex>::Default() {
  static Win32NamedMutex instance;
  return instance;
}

}  // namespace platform
