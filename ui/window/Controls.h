#pragma once

// Thin wrappers of the system controls the dialogs use. Each control carries
// its own handlers, set where the dialog creates or binds it, and answers in
// the program's own types: dialog code reads as a list of controls and what
// they do, never as raw messages or a table from window handles back to
// meanings.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ui/window/Window.h"

namespace ui {

// What every wrapped control can do.
class Control : public Window {
 public:
  // Binds control `id` of a dialog made from a template.
  bool AttachItem(HWND dialog, int id);

  std::u16string Text() const;
  void SetText(const std::u16string& text);
  void Enable(bool enabled);
  bool Enabled() const;
  void Focus();
  bool HasFocus() const;
  void Show(bool shown);
};

class PushButton : public Control {
 public:
  std::function<void()> onClick;

  bool Create(HWND parent, const RECT& rect, int id, const std::u16string& caption, DWORD style = 0);

 protected:
  bool OnNotification(WORD code) override;
};

class EditBox : public Control {
 public:
  std::function<void()> onChange;
  std::function<void()> onFocus;
  std::function<void()> onBlur;

  bool Create(HWND parent, const RECT& rect, int id, DWORD style = 0, DWORD exStyle = WS_EX_CLIENTEDGE);
  // At most `characters` typed or pasted.
  void SetLimit(int characters);
  void SelectAll();
  // The text as a whole decimal number, or `fallback` when it is none.
  int Number(int fallback) const;
  void SetNumber(int value);

 protected:
  bool OnNotification(WORD code) override;
};

// What a list box and a combo box share: entries with a number each, one of
// them selected. The two controls take the same requests under different
// message numbers.
class EntryList : public Control {
 public:
  // The message numbers of one kind of control.
  struct Messages {
    UINT insert, setData, getData, reset, count, getSelection, setSelection;
  };

  // Appends an entry; its position, or -1 when the control refused it.
  int Add(const std::u16string& text, intptr_t data = 0);
  void Clear();
  int Count() const;
  // The selected position, or -1.
  int Selection() const;
  void Select(int position);
  intptr_t Data(int position) const;

 protected:
  explicit EntryList(const Messages& messages) : messages_(messages) {}

 private:
  const Messages& messages_;
};

class ListBox : public EntryList {
 public:
  std::function<void()> onSelectionChange;
  std::function<void()> onDoubleClick;

  ListBox();
  bool Create(HWND parent, const RECT& rect, int id, DWORD style = 0, DWORD exStyle = 0);
  RECT EntryRect(int position) const;

 protected:
  bool OnNotification(WORD code) override;
};

class ComboBox : public EntryList {
 public:
  std::function<void()> onSelectionChange;

  ComboBox();
  bool Create(HWND parent, const RECT& rect, int id, DWORD style = CBS_DROPDOWNLIST | WS_VSCROLL);

 protected:
  bool OnNotification(WORD code) override;
};

}  // namespace ui
