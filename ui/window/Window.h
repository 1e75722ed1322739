#pragma once

// The window base every window and control of the program derives from.
//
// A Window object is bound to its window handle for the handle's whole life:
// windows of the layer's own class bind at WM_NCCREATE, dialogs at
// WM_INITDIALOG, and system controls (buttons, combo boxes) are subclassed
// right after they are created. Every message then reaches the object's
// WindowProc, which hands the common ones to the virtual handlers below;
// whatever a handler leaves alone goes on to the window's previous procedure
// through Default(). Nothing thrown by a handler ever leaves a window
// procedure: the message is then given its default processing instead.
//
// The object owns the window: destroying the object destroys the window. A
// window destroyed first (with its parent, say) simply unbinds.

#include <windows.h>

#include <string>

namespace ui {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return window_; }
  // The object bound to `window`, or null.
  static Window* FromHandle(HWND window);

  // A window of the layer's own class (no background brush, standard
  // arrow cursor).
  bool Create(DWORD exStyle, const std::u16string& title, DWORD style, const RECT& rect, HWND parent,
              HMENU menuOrId = nullptr);
  // A system control of class `className`, created as a child of `parent`
  // and subclassed. `PreSubclass` may adjust it before the first message.
  bool CreateControl(const wchar_t* className, const std::u16string& text, DWORD style, const RECT& rect,
                     HWND parent, int id, DWORD exStyle = 0);
  // Binds an existing window that no other object holds (a control of a
  // dialog template, say) by subclassing it.
  bool Attach(HWND window);

  // Destroys the window; the object stays and may create another one.
  virtual void Destroy();

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void Redraw(bool erase = false) const;
  RECT ClientRect() const;
  HWND Parent() const;

  // Gives the bound windows from msg.hwnd up to its top-level window, the
  // innermost first, a look at a queued message before it is dispatched.
  // True when one of them consumed it. Every message loop of the program
  // calls this (see ProcessMessage).
  static bool PreTranslate(MSG& msg);

 protected:
  // The message as the window receives it. The default hands the messages
  // below to their handlers; everything else to Default().
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The message being handled, given to the window's previous procedure (the
  // system control's own, or the system's default one). For a dialog the
  // dialog manager runs its default after the handler returns.
  LRESULT Default();

  virtual bool PreTranslateMessage(MSG& msg) { return false; }

  // Handlers. Those returning LRESULT answer the message; the others let it
  // have its default processing unless they return true.
  virtual LRESULT OnCreate(CREATESTRUCTW& create) { return Default(); }
  // A command that no control handled itself (see OnNotification).
  virtual bool OnCommand(WORD id, WORD code, HWND control) { return false; }
  virtual LRESULT OnPaint() { return Default(); }
  virtual LRESULT OnEraseBackground(HDC dc) { return Default(); }
  virtual LRESULT OnMouseMove(WPARAM keys, POINT at) { return Default(); }
  virtual LRESULT OnLButtonDown(WPARAM keys, POINT at) { return Default(); }
  virtual LRESULT OnLButtonUp(WPARAM keys, POINT at) { return Default(); }
  virtual LRESULT OnCaptureChanged(HWND gaining) { return Default(); }
  virtual LRESULT OnKillFocus(HWND gaining) { return Default(); }
  virtual LRESULT OnTimer(UINT_PTR id) { return Default(); }
  virtual LRESULT OnClose() { return Default(); }
  virtual LRESULT OnDestroy() { return Default(); }
  virtual LRESULT OnHelp() { return Default(); }

  // A notification this control sent its parent (WM_COMMAND's code): the
  // parent hands it back here first, so a control carries its own handlers
  // and its parent needs no table from window handles to commands. True
  // when handled.
  virtual bool OnNotification(WORD code) { return false; }

  // Owner drawing of the window itself: the parent's WM_DRAWITEM and
  // WM_MEASUREITEM for this control are handed here. True when drawn.
  virtual bool DrawItem(const DRAWITEMSTRUCT& item) { return false; }
  virtual bool MeasureItem(MEASUREITEMSTRUCT& item) { return false; }

  // A control about to be subclassed may adjust its styles here.
  virtual void PreSubclass() {}
  // Called once the handle is gone (after WM_NCDESTROY).
  virtual void OnDetached() {}

 private:
  friend class Dialog;
  enum class Binding { None, OwnClass, Subclassed, Dialog };
  struct Current {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    Binding binding;
    WNDPROC previous;
    bool defaulted;
    LRESULT defaultResult;
  };

  static LRESULT CALLBACK OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static bool RegisterOwnClass();

  void Bind(HWND window, Binding binding);
  void Unbind();
  // Runs WindowProc for one message; `handled` is false when the message
  // went (or must go) to the default processing.
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  bool ReflectOwnerDraw(UINT message, LPARAM lParam);
  bool ReflectNotification(WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  Binding binding_ = Binding::None;
  WNDPROC previous_ = nullptr;
  Current* current_ = nullptr;
};

// Handles one message taken from the queue the way every loop of the
// program does: pre-translation by the bound windows, the dialog keys of
// `dialog` (when given), then translation and dispatch.
void ProcessMessage(MSG& msg, HWND dialog = nullptr);

}  // namespace ui
