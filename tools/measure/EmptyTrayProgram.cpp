// The yardstick of the start-up, memory and exit figures: the least a tray
// program can be under the same system. It registers a window class,
// creates its (hidden) window with a title, puts an icon in the tray and
// pumps messages. The exit command the real program understands (WM_COMMAND
// with identifier 2) ends it the same way: icon removed, window destroyed.

#include <windows.h>
#include <shellapi.h>

namespace {

constexpr wchar_t kTitle[] = L"Empty tray program";
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr WPARAM kExitCommand = 2;

NOTIFYICONDATAW trayIcon = {};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kExitCommand) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      Shell_NotifyIconW(NIM_DELETE, &trayIcon);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"EmptyTrayProgram";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;

  trayIcon.cbSize = sizeof trayIcon;
  trayIcon.hWnd = window;
  trayIcon.uID = 1;
  trayIcon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  trayIcon.uCallbackMessage = kTrayMessage;
  trayIcon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(trayIcon.szTip, kTitle, ARRAYSIZE(trayIcon.szTip));
  Shell_NotifyIconW(NIM_ADD, &trayIcon);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
