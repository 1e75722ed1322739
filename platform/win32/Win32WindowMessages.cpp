#include "platform/WindowMessages.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32WindowMessages final : public WindowMessages {
 public:
  WindowHandle FindWindowByTitle(const std::u16string& title) override {
    return win32::ToHandle(FindWindowW(nullptr, win32::Wide(title)));
  }
  bool Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    return PostMessageW(win32::FromHandle<HWND>(window), message, wParam, lParam) != FALSE;
  }
  bool IsPosted(WindowHandle window, uint32_t message, uintptr_t wParam) override {
    MSG waiting;
    return PeekMessageW(&waiting, win32::FromHandle<HWND>(window), message, message, PM_NOREMOVE | PM_NOYIELD) &&
           waiting.wParam == wParam;
  }
};

}  // namespace

template <>
WindowMessages& Service<WindowMessages>::Default() {
  static Win32WindowMessages instance;
  return instance;
}

}  // namespace platform
