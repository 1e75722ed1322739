#include "platform/win32/GdiPlus.h"

#include <commctrl.h>

#include "platform/UiToolkit.h"

namespace platform {
namespace {

class Win32UiToolkit final : public UiToolkit {
 public:
  std::uintptr_t Start() override {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    return token;
  }
  void Stop(std::uintptr_t token) override {
    if (token) Gdiplus::GdiplusShutdown(token);
  }
};

}  // namespace

template <>
UiToolkit& Service<UiToolkit>::Default() {
  static Win32UiToolkit instance;
  return instance;
}

}  // namespace platform
