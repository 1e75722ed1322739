#include "win32/EventTargetWindow.h"

#include "codes/PrivateMessages.h"
#include "platform/HidEnumeration.h"

namespace win32tests {

namespace {

constexpr UINT kMarker = WM_APP + 0x51;

}  // namespace

EventTargetWindow::EventTargetWindow() {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = &EventTargetWindow::Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"vn24gEventTarget";
  RegisterClassW(&windowClass);
  window_ = CreateWindowExW(0, windowClass.lpszClassName, L"event target", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            windowClass.hInstance, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

EventTargetWindow::~EventTargetWindow() { DestroyWindow(window_); }

bool EventTargetWindow::PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  MSG message;
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (done()) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

bool EventTargetWindow::Drain(DWORD limitMs) {
  marked_ = false;
  if (!PostMessageW(window_, kMarker, 0, 0)) return false;
  return PumpUntil([this] { return marked_; }, limitMs);
}

LRESULT CALLBACK EventTargetWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<EventTargetWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && message == codes::WM_DRIVER_EVENT) {
    self->events.push_back(static_cast<uint32_t>(wParam));
    self->eventLParams.push_back(lParam);
    return 0;
  }
  if (self != nullptr && message == kMarker) {
    self->marked_ = true;
    return 0;
  }
  if (self != nullptr && message == WM_DEVICECHANGE) {
    DeviceChange change{wParam, false, {}};
    change.arrival = platform::Service<platform::HidEnumeration>::Get().ReadArrival(wParam, lParam, change.name);
    self->deviceChanges.push_back(change);
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace win32tests
