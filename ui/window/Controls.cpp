#include "ui/window/Controls.h"

#include <cwchar>

#include "platform/win32/WideString.h"
#include "ui/window/ButtonClick.h"

namespace ui {
namespace {

using platform::win32::Wide;

// Runs a handler that is set; a notification nobody listens to stays
// unhandled so that the parent may still see it.
bool Fire(const std::function<void()>& handler) {
  if (!handler) return false;
  handler();
  return true;
}

}  // namespace

bool Control::AttachItem(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }

std::u16string Control::Text() const {
  const HWND window = Handle();
  if (!window) return {};
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, &text[0], length + 1);
  return platform::win32::FromWide(text.c_str(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void Control::SetText(const std::u16string& text) {
  if (Handle()) SetWindowTextW(Handle(), Wide(text));
}

void Control::Enable(bool enabled) {
  if (Handle()) EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

bool Control::Enabled() const { return Handle() && IsWindowEnabled(Handle()); }

void Control::Focus() {
  if (Handle()) SetFocus(Handle());
}

bool Control::HasFocus() const { return Handle() && GetFocus() == Handle(); }

void Control::Show(bool shown) {
  if (Handle()) ShowWindow(Handle(), shown ? SW_SHOW : SW_HIDE);
}

bool PushButton::Create(HWND parent, const RECT& rect, int id, const std::u16string& caption, DWORD style) {
  return CreateControl(L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | style, rect, parent,
                       id);
}

bool PushButton::OnNotification(WORD code) { return IsButtonClick(code) && Fire(onClick); }

bool EditBox::Create(HWND parent, const RECT& rect, int id, DWORD style, DWORD exStyle) {
  return CreateControl(L"EDIT", u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | style, rect, parent, id,
                       exStyle);
}

void EditBox::SetLimit(int characters) { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }

void EditBox::SelectAll() { Send(EM_SETSEL, 0, -1); }

int EditBox::Number(int fallback) const {
  const std::u16string text = Text();
  if (text.empty() || text.size() > 9) return fallback;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return fallback;
    value = value * 10 + (c - u'0');
  }
  return value;
}

void EditBox::SetNumber(int value) {
  wchar_t digits[16];
  std::swprintf(digits, 16, L"%d", value);
  SetText(platform::win32::FromWide(digits));
}

bool EditBox::OnNotification(WORD code) {
  switch (code) {
    case EN_CHANGE:
      return Fire(onChange);
    case EN_SETFOCUS:
      return Fire(onFocus);
    case EN_KILLFOCUS:
      return Fire(onBlur);
    default:
      return false;
  }
}

namespace {

const EntryList::Messages kMessagesOfListBox = {LB_INSERTSTRING, LB_SETITEMDATA, LB_GETITEMDATA, LB_RESETCONTENT,
                                              LB_GETCOUNT,     LB_GETCURSEL,   LB_SETCURSEL};
const EntryList::Messages kMessagesOfDropDown = {CB_INSERTSTRING, CB_SETITEMDATA, CB_GETITEMDATA, CB_RESETCONTENT,
                                               CB_GETCOUNT,     CB_GETCURSEL,   CB_SETCURSEL};

}  // namespace

int EntryList::Add(const std::u16string& text, intptr_t data) {
  // Inserted at the end rather than added: a sorted control would reorder.
  const LRESULT position = Send(messages_.insert, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Wide(text)));
  if (position < 0) return -1;
  Send(messages_.setData, static_cast<WPARAM>(position), static_cast<LPARAM>(data));
  return static_cast<int>(position);
}

void EntryList::Clear() { Send(messages_.reset); }

int EntryList::Count() const {
  const LRESULT count = Send(messages_.count);
  return count < 0 ? 0 : static_cast<int>(count);
}

// LB_ERR and CB_ERR are both -1.
int EntryList::Selection() const {
  const LRESULT selected = Send(messages_.getSelection);
  return selected < 0 ? -1 : static_cast<int>(selected);
}

void EntryList::Select(int position) { Send(messages_.setSelection, static_cast<WPARAM>(position)); }

intptr_t EntryList::Data(int position) const {
  return static_cast<intptr_t>(Send(messages_.getData, static_cast<WPARAM>(position)));
}

ListBox::ListBox() : EntryList(kMessagesOfListBox) {}

bool ListBox::Create(HWND parent, const RECT& rect, int id, DWORD style, DWORD exStyle) {
  return CreateControl(L"LISTBOX", u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY | style, rect, parent, id,
                       exStyle);
}

RECT ListBox::EntryRect(int position) const {
  RECT rect = {};
  Send(LB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

bool ListBox::OnNotification(WORD code) {
  switch (code) {
    case LBN_SELCHANGE:
      return Fire(onSelectionChange);
    case LBN_DBLCLK:
      return Fire(onDoubleClick);
    default:
      return false;
  }
}

ComboBox::ComboBox() : EntryList(kMessagesOfDropDown) {}

bool ComboBox::Create(HWND parent, const RECT& rect, int id, DWORD style) {
  return CreateControl(L"COMBOBOX", u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, rect, parent, id);
}

bool ComboBox::OnNotification(WORD code) { return code == CBN_SELCHANGE && Fire(onSelectionChange); }

}  // namespace ui
