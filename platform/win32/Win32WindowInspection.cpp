#include "platform/WindowInspection.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

using win32::FromHandle;
using win32::ToHandle;

HWND H(WindowHandle window) { return FromHandle<HWND>(window); }

using Visitor = std::function<bool(WindowHandle)>;

BOOL CALLBACK VisitChild(HWND child, LPARAM context) {
  return (*reinterpret_cast<const Visitor*>(context))(ToHandle(child)) ? TRUE : FALSE;
}

// Buffers of 260 units, zero-filled, so a failed call reads as empty text.
constexpr int kTextUnits = 260;

class Win32WindowInspection final : public WindowInspection {
 public:
  WindowHandle ForegroundWindow() override { return ToHandle(GetForegroundWindow()); }
  WindowHandle DesktopWindow() override { return ToHandle(GetDesktopWindow()); }
  WindowHandle WindowAt(ScreenPoint point) override { return ToHandle(WindowFromPoint(POINT{point.x, point.y})); }
  WindowHandle ChildAt(WindowHandle parent, ScreenPoint clientPoint) override {
    return ToHandle(ChildWindowFromPoint(H(parent), POINT{clientPoint.x, clientPoint.y}));
  }
  ScreenPoint ToClient(WindowHandle window, ScreenPoint point) override {
    POINT p{point.x, point.y};
    ScreenToClient(H(window), &p);
    return {p.x, p.y};
  }

  std::u16string Title(WindowHandle window) override {
    wchar_t text[kTextUnits] = {};
    const int length = GetWindowTextW(H(window), text, kTextUnits);
    return win32::FromWide(text, length > 0 ? static_cast<std::size_t>(length) : 0);
  }
  std::u16string ClassName(WindowHandle window) override {
    wchar_t name[kTextUnits] = {};
    const int length = GetClassNameW(H(window), name, kTextUnits);
    return win32::FromWide(name, length > 0 ? static_cast<std::size_t>(length) : 0);
  }
  uint32_t Style(WindowHandle window) override {
    return static_cast<uint32_t>(GetWindowLongW(H(window), GWL_STYLE));
  }
  ScreenRect Rect(WindowHandle window) override {
    RECT r{};
    if (!GetWindowRect(H(window), &r)) return {0, 0, 0, 0};
    return {r.left, r.top, r.right, r.bottom};
  }

  WindowHandle Parent(WindowHandle window) override { return ToHandle(GetParent(H(window))); }
  WindowHandle FirstChild(WindowHandle window) override { return ToHandle(GetWindow(H(window), GW_CHILD)); }
  WindowHandle NextSibling(WindowHandle window) override { return ToHandle(GetWindow(H(window), GW_HWNDNEXT)); }
  WindowHandle PreviousSibling(WindowHandle window) override {
    return ToHandle(GetWindow(H(window), GW_HWNDPREV));
  }
  WindowHandle ChildAfter(WindowHandle parent, WindowHandle after) override {
    return ToHandle(FindWindowExW(H(parent), H(after), nullptr, nullptr));
  }
  void ForEachDescendant(WindowHandle parent, const Visitor& visit) override {
    EnumChildWindows(H(parent), VisitChild, reinterpret_cast<LPARAM>(&visit));
  }

  intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    return SendMessageW(H(window), message, wParam, lParam);
  }
  bool Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    return PostMessageW(H(window), message, wParam, lParam) != FALSE;
  }
};

}  // namespace

template <>
WindowInspection& Service<WindowInspection>::Default() {
  static Win32WindowInspection instance;
  return instance;
}

}  // namespace platform
