#include "platform/HiddenWindow.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32HiddenWindow final : public HiddenWindow {
 public:
  WindowHandle Create(const std::u16string& className, const std::u16string& windowName) override {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = win32::Wide(className);
    // A second channel registers the same class again; that refusal is fine.
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, win32::Wide(className), win32::Wide(windowName), WS_POPUP, 1, 1, 1, 1,
                                        nullptr, nullptr, instance, nullptr);
    return win32::ToHandle(window);
  }

  void Destroy(WindowHandle window) override { DestroyWindow(win32::FromHandle<HWND>(window)); }
};

}  // namespace

template <>
HiddenWindow& Service<HiddenWindow>::Default() {
  static Win32HiddenWindow windows;
  return windows;
}

}  // namespace platform
