#include "platform/OperatingSystem.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using RedirectionFn = BOOL(WINAPI*)(PVOID*);
using RevertFn = BOOL(WINAPI*)(PVOID);

class Win32OperatingSystem final : public OperatingSystem {
 public:
  OsVersionInfo Version() override {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info)) return {0, 0, 0};
#pragma GCC diagnostic pop
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
  }

  bool IsWow64Process() override {
    // Looked up, not linked: systems before XP SP2 lack it.
    const HMODULE kernel = GetModuleHandleW(L"kernel32");
    const auto query = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    if (query == nullptr) return false;
    BOOL wow64 = FALSE;
    query(GetCurrentProcess(), &wow64);
    return wow64 != FALSE;
  }

  bool DisableFileSystemRedirection(uintptr_t& previous) override {
    kernel_ = LoadLibraryW(L"Kernel32.dll");
    const auto disable = reinterpret_cast<RedirectionFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel_, "Wow64DisableWow64FsRedirection")));
    if (disable == nullptr) {
      ReleaseKernel();
      return false;
    }
    PVOID old = nullptr;
    disable(&old);
    previous = reinterpret_cast<uintptr_t>(old);
    return true;
  }

  void RevertFileSystemRedirection(uintptr_t previous) override {
    const auto revert = reinterpret_cast<RevertFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel_, "Wow64RevertWow64FsRedirection")));
    if (revert != nullptr) revert(reinterpret_cast<PVOID>(previous));
    ReleaseKernel();
  }

  void LockSession() override { LockWorkStation(); }

 private:
  void ReleaseKernel() {
    if (kernel_ != nullptr) FreeLibrary(kernel_);
    kernel_ = nullptr;
  }

  HMODULE kernel_ = nullptr;
};

}  // namespace

template <>
OperatingSystem& Service<OperatingSystem>::Default() {
  static Win32OperatingSystem instance;
  return instance;
}

}  // namespace platform
