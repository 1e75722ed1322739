#include "platform/Threading.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

using win32::FromHandle;
using win32::ToHandle;

// The routine and its parameter, handed to the new thread and freed by it.
struct ThreadStart {
  ThreadRoutine routine;
  void* parameter;
};

DWORD WINAPI RunThread(LPVOID startValue) {
  const ThreadStart start = *static_cast<ThreadStart*>(startValue);
  delete static_cast<ThreadStart*>(startValue);
  return start.routine(start.parameter);
}

class Win32Threading final : public Threading {
 public:
  Handle NewSemaphore(int32_t initialCount, int32_t maximumCount) override {
    return ToHandle(CreateSemaphoreW(nullptr, initialCount, maximumCount, nullptr));
  }

  bool Release(Handle semaphore, int32_t count) override {
    return ReleaseSemaphore(FromHandle<HANDLE>(semaphore), count, nullptr) != FALSE;
  }

  bool Wait(Handle semaphore) override {
    return WaitForSingleObject(FromHandle<HANDLE>(semaphore), INFINITE) == WAIT_OBJECT_0;
  }

  Handle StartThread(uint32_t stackSize, ThreadRoutine routine, void* parameter) override {
    auto* start = new ThreadStart{routine, parameter};
    const HANDLE thread = CreateThread(nullptr, stackSize, &RunThread, start, 0, nullptr);
    if (thread == nullptr) delete start;
    return ToHandle(thread);
  }

  bool WaitForThread(Handle thread, uint32_t timeoutMs) override {
    return WaitForSingleObject(FromHandle<HANDLE>(thread), timeoutMs) == WAIT_OBJECT_0;
  }

  void Close(Handle object) override { CloseHandle(FromHandle<HANDLE>(object)); }
};

}  // namespace

template <>
Threading& Service<Threading>::Default() {
  static Win32Threading threading;
  return threading;
}

}  // namespace platform
