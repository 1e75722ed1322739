#include "ui/window/Window.h"

#include <utility>

#include "platform/win32/WideString.h"
#include "ui/window/OwnerDrawMenu.h"

namespace ui {
namespace {

constexpr wchar_t kObjectProperty[] = L"vn24g.Window";
constexpr wchar_t kOwnClassName[] = L"vn24g.Window";

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

Window::~Window() {
  // Too late for virtual handlers: the window goes without the object.
  if (HWND window = window_) {
    Unbind();
    DestroyWindow(window);
  }
}

Window* Window::FromHandle(HWND window) {
  return window ? static_cast<Window*>(GetPropW(window, kObjectProperty)) : nullptr;
}

bool Window::RegisterOwnClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = OwnClassProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kOwnClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

bool Window::Create(DWORD exStyle, const std::u16string& title, DWORD style, const RECT& rect, HWND parent,
                    HMENU menuOrId) {
  if (window_ || !RegisterOwnClass()) return false;
  return CreateWindowExW(exStyle, kOwnClassName, platform::win32::Wide(title), style, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                         GetModuleHandleW(nullptr), static_cast<Window*>(this)) != nullptr &&
         window_ != nullptr;
}

bool Window::CreateControl(const wchar_t* className, const std::u16string& text, DWORD style, const RECT& rect,
                           HWND parent, int id, DWORD exStyle) {
  if (window_) return false;
  HWND control = CreateWindowExW(exStyle, className, platform::win32::Wide(text), style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
  if (!control) return false;
  if (!Attach(control)) {
    DestroyWindow(control);
    return false;
  }
  return true;
}

bool Window::Attach(HWND window) {
  if (window_ || !window || FromHandle(window)) return false;
  window_ = window;
  PreSubclass();
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProc)));
  if (!previous_) {
    window_ = nullptr;
    return false;
  }
  Bind(window, Binding::Subclassed);
  return true;
}

void Window::Bind(HWND window, Binding binding) {
  window_ = window;
  binding_ = binding;
  SetPropW(window, kObjectProperty, this);
}

void Window::Unbind() {
  if (!window_) return;
  RemovePropW(window_, kObjectProperty);
  if (binding_ == Binding::Subclassed && previous_)
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  window_ = nullptr;
  binding_ = Binding::None;
  previous_ = nullptr;
}

void Window::Destroy() {
  if (window_) DestroyWindow(window_);
}

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return window_ ? SendMessageW(window_, message, wParam, lParam) : 0;
}

bool Window::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
  return window_ && PostMessageW(window_, message, wParam, lParam);
}

void Window::Redraw(bool erase) const {
  if (window_) InvalidateRect(window_, nullptr, erase ? TRUE : FALSE);
}

RECT Window::ClientRect() const {
  RECT rect = {};
  if (window_) GetClientRect(window_, &rect);
  return rect;
}

HWND Window::Parent() const { return window_ ? GetParent(window_) : nullptr; }

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  Current current{window_, message, wParam, lParam, binding_, previous_, false, 0};
  Current* outer = std::exchange(current_, &current);
  LRESULT result = 0;
  try {
    result = WindowProc(message, wParam, lParam);
  } catch (...) {
    // A failed handler leaves the message to its default processing.
    result = current.defaulted ? current.defaultResult : Default();
  }
  current_ = outer;
  handled = !current.defaulted;
  if (message == WM_NCDESTROY) {
    Unbind();
    OnDetached();
  }
  return result;
}

LRESULT Window::Default() {
  Current* current = current_;
  if (!current) return 0;
  if (current->defaulted) return current->defaultResult;
  current->defaulted = true;
  switch (current->binding) {
    case Binding::Subclassed:
      current->defaultResult =
          CallWindowProcW(current->previous, current->window, current->message, current->wParam, current->lParam);
      break;
    case Binding::OwnClass:
    case Binding::None:
      current->defaultResult = DefWindowProcW(current->window, current->message, current->wParam, current->lParam);
      break;
    case Binding::Dialog:
      // The dialog manager does it once the dialog procedure answers FALSE.
      current->defaultResult = 0;
      break;
  }
  return current->defaultResult;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_COMMAND:
      if (ReflectNotification(wParam, lParam)) return 0;
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      break;
    case WM_PAINT:
      return OnPaint();
    case WM_ERASEBKGND:
      return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_MOUSEMOVE:
      return OnMouseMove(wParam, PointOf(lParam));
    case WM_LBUTTONDOWN:
      return OnLButtonDown(wParam, PointOf(lParam));
    case WM_LBUTTONUP:
      return OnLButtonUp(wParam, PointOf(lParam));
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    case WM_KILLFOCUS:
      return OnKillFocus(reinterpret_cast<HWND>(wParam));
    case WM_TIMER:
      return OnTimer(wParam);
    case WM_CLOSE:
      return OnClose();
    case WM_DESTROY:
      return OnDestroy();
    case WM_HELP:
      return OnHelp();
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      if (ReflectOwnerDraw(message, lParam)) return TRUE;
      break;
    default:
      break;
  }
  return Default();
}

bool Window::ReflectNotification(WPARAM wParam, LPARAM lParam) {
  // Menu and accelerator commands come without a control.
  Window* control = FromHandle(reinterpret_cast<HWND>(lParam));
  return control && control != this && control->OnNotification(HIWORD(wParam));
}

bool Window::ReflectOwnerDraw(UINT message, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item.CtlType == ODT_MENU) {
      OwnerDrawMenu* menu = OwnerDrawMenu::FromHandle(reinterpret_cast<HMENU>(item.hwndItem));
      if (menu) menu->DrawItem(item);
      return menu != nullptr;
    }
    Window* control = FromHandle(item.hwndItem);
    return control && control != this && control->DrawItem(item);
  }
  auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (item.CtlType == ODT_MENU) {
    OwnerDrawMenu* menu = OwnerDrawMenu::ForMeasure(item);
    if (menu) menu->MeasureItem(item);
    return menu != nullptr;
  }
  Window* control = FromHandle(GetDlgItem(window_, static_cast<int>(item.CtlID)));
  return control && control != this && control->MeasureItem(item);
}

LRESULT CALLBACK Window::OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(window);
  if (!self && message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) self->Bind(window, Binding::OwnClass);
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  bool handled = false;
  return self->Dispatch(message, wParam, lParam, handled);
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  bool handled = false;
  return self->Dispatch(message, wParam, lParam, handled);
}

INT_PTR CALLBACK Window::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(window);
  if (!self && message == WM_INITDIALOG) {
    self = reinterpret_cast<Window*>(lParam);
    if (self) self->Bind(window, Binding::Dialog);
  }
  if (!self) return FALSE;
  bool handled = false;
  const LRESULT result = self->Dispatch(message, wParam, lParam, handled);
  if (!handled) return FALSE;
  switch (message) {
    // These answer through the return value itself.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return static_cast<INT_PTR>(result);
    default:
      if (IsWindow(window)) SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
      return TRUE;
  }
}

bool Window::PreTranslate(MSG& msg) {
  for (HWND window = msg.hwnd; window;) {
    if (Window* object = FromHandle(window)) {
      try {
        if (object->PreTranslateMessage(msg)) return true;
      } catch (...) {
        // A failing filter lets the message through.
      }
      if (!IsWindow(window)) return false;
    }
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) break;
    window = GetParent(window);
  }
  return false;
}

void ProcessMessage(MSG& msg, HWND dialog) {
  if (Window::PreTranslate(msg)) return;
  if (dialog && IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace ui
