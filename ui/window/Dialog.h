#pragma once

// Dialog windows: on a template of the program's resources or on an empty
// template built in memory, whose controls the dialog then creates in code.
// A dialog runs modally in the program's own modal loop - so that every
// window in it gets its pre-translation, which the system's loop would skip -
// or stays modeless as a child or popup of another window.

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "ui/window/Window.h"

namespace ui {

// The module whose resources (dialog templates, pictures) the windows use.
HINSTANCE ResourceModule();

class Dialog : public Window {
 public:
  struct EmptyTemplate {
    DWORD style;
    DWORD exStyle;
  };

  // A dialog on resource template `templateId`, owned by (or, for a child
  // dialog, the child of) `owner`.
  explicit Dialog(UINT templateId, HWND owner = nullptr);
  // A dialog on an empty template of this style (position and size 0).
  explicit Dialog(EmptyTemplate emptyTemplate, HWND owner = nullptr);

  HWND Owner() const { return owner_; }
  void SetOwner(HWND owner) { owner_ = owner; }

  // Creates the dialog, disables the owner (when there is one) and runs
  // until EndDialog; the window is destroyed before this returns. The
  // result is what EndDialog was given, IDCANCEL when the window went away
  // otherwise, or -1 when it could not be created.
  INT_PTR DoModal();
  // Creates the dialog modeless; it shows when its template says so.
  bool CreateModeless();

  // Modal: ends the loop with `result`. Modeless: destroys the window.
  void EndDialog(INT_PTR result);
  bool IsModal() const { return modal_; }

 protected:
  // True lets the dialog manager put the focus on the first control.
  virtual bool OnInitDialog() { return true; }
  // The dialog manager's OK and Cancel commands (Enter, Esc, the close box).
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // True for WM_KEYDOWN and WM_KEYUP of one of `keys`: dialogs that must
  // not be ended or clicked from the keyboard swallow these before dispatch.
  static bool IsKeyMessage(const MSG& msg, std::initializer_list<WPARAM> keys);
  // True for every message the keyboard makes: keys and system keys going
  // down and up (Alt+F4, which would close the window, among them) and the
  // characters made of them.
  static bool IsKeyboardMessage(const MSG& msg);

 private:
  HWND CreateFromTemplate();

  HWND owner_ = nullptr;
  UINT templateId_ = 0;
  std::vector<DWORD> emptyTemplate_;
  bool modal_ = false;
  bool ended_ = false;
  INT_PTR result_ = IDCANCEL;
};

}  // namespace ui
