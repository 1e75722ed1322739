#include "win32/InputWatch.h"

namespace win32tests {

namespace {

InputWatch* activeWatch = nullptr;
constexpr UINT kBringToFront = WM_APP + 1;

}  // namespace

void PumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool WaitUntil(const std::function<bool()>& done, DWORD limitMs) { return WaitUntil(done, limitMs, PumpPending); }

bool WaitUntil(const std::function<bool()>& done, DWORD limitMs, const std::function<void()>& pumpOnce) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    pumpOnce();
    if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void SendMarker() {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = kMarkerKey;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

namespace {

bool markerTaken = false;

// Sees every key message a loop of this thread takes from the queue, the
// system's own modal loops included; the marker is taken out of the way.
LRESULT CALLBACK MarkerTakenHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == kMarkerKey) {
    if ((lParam & (LPARAM{1} << 31)) != 0) markerTaken = true;
    return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Sends the marker and waits until `markers`, counted under `mutex` by
// another thread, has grown.
bool SendMarkerAndWait(std::mutex& mutex, const int& markers, DWORD limitMs) {
  const auto count = [&] {
    std::lock_guard<std::mutex> lock(mutex);
    return markers;
  };
  const int before = count();
  SendMarker();
  return WaitUntil([&] { return count() > before; }, limitMs);
}

}  // namespace

bool PumpUntilMarkerTaken(const std::function<void()>& pumpOnce, DWORD limitMs) {
  markerTaken = false;
  const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD, MarkerTakenHook, nullptr, GetCurrentThreadId());
  if (hook == nullptr) return false;
  SendMarker();
  const bool taken = WaitUntil([] { return markerTaken; }, limitMs, pumpOnce);
  UnhookWindowsHookEx(hook);
  return taken;
}

InputWatch::InputWatch() {
  activeWatch = this;
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, ready] { Run(ready); });
  WaitForSingleObject(ready, 10000);
  CloseHandle(ready);
}

InputWatch::~InputWatch() {
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  activeWatch = nullptr;
}

void InputWatch::Run(HANDLE ready) {
  threadId_ = GetCurrentThreadId();
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue
  HHOOK keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, &InputWatch::KeyboardHook, GetModuleHandleW(nullptr), 0);
  HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, &InputWatch::MouseHook, GetModuleHandleW(nullptr), 0);
  SetEvent(ready);
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  UnhookWindowsHookEx(keyboard);
  UnhookWindowsHookEx(mouse);
}

LRESULT CALLBACK InputWatch::KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && activeWatch != nullptr) {
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    std::lock_guard<std::mutex> lock(activeWatch->mutex_);
    if (info->vkCode == kMarkerKey) {
      if ((info->flags & LLKHF_UP) != 0) ++activeWatch->markers_;
    } else {
      activeWatch->events_.push_back({true, info->vkCode, info->flags});
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK InputWatch::MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && activeWatch != nullptr && wParam != WM_MOUSEMOVE) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    std::lock_guard<std::mutex> lock(activeWatch->mutex_);
    activeWatch->events_.push_back({false, static_cast<uint32_t>(wParam), info->flags});
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<InputWatch::Event> InputWatch::Events() {
  std::lock_guard<std::mutex> lock(mutex_);
  return events_;
}

std::vector<InputWatch::Event> InputWatch::KeyEvents() {
  std::vector<Event> keys;
  for (const Event& event : Events())
    if (event.keyboard) keys.push_back(event);
  return keys;
}

std::vector<InputWatch::Event> InputWatch::MouseEvents() {
  std::vector<Event> mouse;
  for (const Event& event : Events())
    if (!event.keyboard) mouse.push_back(event);
  return mouse;
}

void InputWatch::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  events_.clear();
}

bool InputWatch::WaitForCount(std::size_t count, DWORD limitMs) {
  return WaitUntil([&] { return Events().size() >= count; }, limitMs);
}

bool InputWatch::AllArrived(DWORD limitMs) {
  return SendMarkerAndWait(mutex_, markers_, limitMs);
}

KeyTargetWindow::KeyTargetWindow(const std::wstring& title) {
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, title, ready] { Run(title, ready); });
  WaitForSingleObject(ready, 10000);
  CloseHandle(ready);
}

KeyTargetWindow::~KeyTargetWindow() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  thread_.join();
}

void KeyTargetWindow::Run(const std::wstring& title, HANDLE ready) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = &KeyTargetWindow::Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"vn24gKeyTarget";
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&windowClass);
  window_ = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 500,
                            300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetEvent(ready);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

LRESULT CALLBACK KeyTargetWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<KeyTargetWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      if (self != nullptr) {
        std::lock_guard<std::mutex> lock(self->mutex_);
        if (wParam != kMarkerKey) {
          self->keys_.push_back({message, wParam, lParam});
        } else if (message == WM_KEYUP) {
          ++self->markers_;
        }
      }
      return 0;
    case kBringToFront:
      SetForegroundWindow(window);
      SetActiveWindow(window);
      SetFocus(window);
      return GetForegroundWindow() == window;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool KeyTargetWindow::BringToFront() { return SendMessageW(window_, kBringToFront, 0, 0) != 0; }

std::vector<KeyTargetWindow::Key> KeyTargetWindow::Keys() {
  std::lock_guard<std::mutex> lock(mutex_);
  return keys_;
}

void KeyTargetWindow::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  keys_.clear();
  markers_ = 0;
}

bool KeyTargetWindow::AllArrived(DWORD limitMs) {
  return SendMarkerAndWait(mutex_, markers_, limitMs);
}

}  // namespace win32tests
