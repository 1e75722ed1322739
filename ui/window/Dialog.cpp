#include "ui/window/Dialog.h"

#include <algorithm>

#include "ui/window/ButtonClick.h"

namespace ui {

HINSTANCE ResourceModule() { return GetModuleHandleW(nullptr); }

Dialog::Dialog(UINT templateId, HWND owner) : owner_(owner), templateId_(templateId) {}

Dialog::Dialog(EmptyTemplate emptyTemplate, HWND owner) : owner_(owner) {
  // DLGTEMPLATE followed by three empty words: no menu, the standard dialog
  // class and no title. Kept in DWORDs for the alignment the system wants.
  DLGTEMPLATE header = {};
  header.style = emptyTemplate.style;
  header.dwExtendedStyle = emptyTemplate.exStyle;
  emptyTemplate_.assign((sizeof(DLGTEMPLATE) + 3 * sizeof(WORD) + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
  std::copy_n(reinterpret_cast<const BYTE*>(&header), sizeof(header),
              reinterpret_cast<BYTE*>(emptyTemplate_.data()));
}

HWND Dialog::CreateFromTemplate() {
  Window* self = this;
  if (!emptyTemplate_.empty()) {
    return CreateDialogIndirectParamW(ResourceModule(), reinterpret_cast<LPCDLGTEMPLATEW>(emptyTemplate_.data()),
                                      owner_, &Window::DialogProc, reinterpret_cast<LPARAM>(self));
  }
  return CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), owner_, &Window::DialogProc,
                            reinterpret_cast<LPARAM>(self));
}

INT_PTR Dialog::DoModal() {
  const HWND owner = owner_;
  if (Handle()) return -1;
  modal_ = true;
  ended_ = false;
  result_ = IDCANCEL;
  const HWND window = CreateFromTemplate();
  if (!window || !Handle()) {
    if (window) DestroyWindow(window);
    modal_ = false;
    return -1;
  }
  const bool disabledOwner = owner && IsWindowEnabled(owner) && EnableWindow(owner, FALSE) == FALSE;
  if (!ended_) ShowWindow(window, SW_SHOWNORMAL);

  MSG msg;
  while (!ended_ && Handle()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // WM_QUIT belongs to the loop outside: give it back and stop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    ProcessMessage(msg, Handle());
  }

  // The owner comes back before the dialog goes, so that activation returns
  // to it rather than to some other program's window.
  if (disabledOwner) EnableWindow(owner, TRUE);
  if (Handle()) {
    if (owner && GetActiveWindow() == Handle()) SetActiveWindow(owner);
    DestroyWindow(Handle());
  }
  modal_ = false;
  return result_;
}

bool Dialog::CreateModeless() {
  if (Handle()) return false;
  modal_ = false;
  const HWND window = CreateFromTemplate();
  if (window && !Handle()) DestroyWindow(window);
  return Handle() != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  if (!modal_) {
    Destroy();
    return;
  }
  ended_ = true;
  // Wakes the loop should it be waiting for a message.
  Post(WM_NULL);
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      if (ReflectNotification(wParam, lParam)) return 0;
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      if (IsButtonClick(HIWORD(wParam)) || lParam == 0) {
        if (LOWORD(wParam) == IDOK) {
          OnOK();
          return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          OnCancel();
          return 0;
        }
      }
      return Default();
    default:
      return Window::WindowProc(message, wParam, lParam);
  }
}

bool Dialog::IsKeyMessage(const MSG& msg, std::initializer_list<WPARAM> keys) {
  return (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) &&
         std::find(keys.begin(), keys.end(), msg.wParam) != keys.end();
}

bool Dialog::IsKeyboardMessage(const MSG& msg) { return msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST; }

}  // namespace ui
