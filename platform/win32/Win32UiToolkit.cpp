#include "platform/win32/GdiPlus.h"

#include <commctrl.h>

#include <mutex>

#include "platform/UiToolkit.h"

namespace platform {
namespace {

class Win32UiToolkit final : public UiToolkit {
 public:
  // Windows are made on the window thread, but tests and tools may make
  // them on others.
  void UseCommonControls() override {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (commonControls_) return;
    commonControls_ = true;
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
  }

  void UseImageLibrary() override {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (started_) return;
    started_ = true;
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }

  void Stop() override {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (token_) Gdiplus::GdiplusShutdown(token_);
    token_ = 0;
    started_ = false;
  }

 private:
  std::mutex mutex_;
  bool commonControls_ = false;
  bool started_ = false;
  ULONG_PTR token_ = 0;
};

}  // namespace

template <>
UiToolkit& Service<UiToolkit>::Default() {
  static Win32UiToolkit instance;
  return instance;
}

}  // namespace platform
