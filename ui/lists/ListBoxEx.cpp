#include "ui/lists/ListBoxEx.h"

#include "codes/PrivateMessages.h"
#include "platform/win32/WideString.h"

namespace ui {
namespace {

using macro::RowKind;

constexpr int kTextIndent = 5;
constexpr int kIconTextIndent = 26;

// Icon files by kind (release, press, pause), each as normal and selected.
constexpr const char16_t* kIconFiles[6] = {u"up_normal.png",   u"up_select.png",    u"down_normal.png",
                                           u"down_select.png", u"delay_normal.png", u"delay_select.png"};

int IconSlot(RowKind kind) {
  switch (kind) {
    case RowKind::KeyRelease: return 0;
    case RowKind::KeyPress: return 2;
    case RowKind::Pause: return 4;
    default: return -1;
  }
}

}  // namespace

// --- the edit over a row

bool ListRowEdit::PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) return false;
  if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) return false;
  // Enter and Esc end the edit here, before the dialog could take them for
  // its OK and Cancel.
  if (msg.message == WM_KEYDOWN) list_.EndEdit(msg.wParam == VK_RETURN);
  return true;
}

LRESULT ListRowEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) return Default() | DLGC_WANTALLKEYS;
  return Control::WindowProc(message, wParam, lParam);
}

LRESULT ListRowEdit::OnKillFocus(HWND gaining) {
  const LRESULT result = Default();
  list_.EndEdit(true);
  return result;
}

// --- the list

CListBoxEx::CListBoxEx()
    : background_(GetSysColor(COLOR_WINDOW)),
      text_(GetSysColor(COLOR_WINDOWTEXT)),
      selectedText_(GetSysColor(COLOR_HIGHLIGHTTEXT)),
      selectedBackground_(GetSysColor(COLOR_HIGHLIGHT)),
      disabledText_(GetSysColor(COLOR_BTNSHADOW)) {}

CListBoxEx::~CListBoxEx() { edit_.Destroy(); }

bool CListBoxEx::Create(HWND parent, const RECT& rect, int id, const std::u16string& skinFolder) {
  skinFolder_ = skinFolder;
  if (!font_) {
    font_ = Font(CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg"));
  }
  if (!backgroundBrush_) backgroundBrush_ = Brush(CreateSolidBrush(background_));
  if (!disabledBrush_) disabledBrush_ = Brush(CreateSolidBrush(GetSysColor(COLOR_INACTIVEBORDER)));
  if (!ListBox::Create(parent, rect, id, WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT))
    return false;
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return true;
}

void CListBoxEx::SetColors(COLORREF background, COLORREF text, COLORREF selectedText,
                           COLORREF selectedBackground) {
  background_ = background;
  text_ = text;
  selectedText_ = selectedText;
  selectedBackground_ = selectedBackground;
  backgroundBrush_ = Brush(CreateSolidBrush(background_));
  Redraw(true);
}

HBRUSH CListBoxEx::BackgroundBrush() const {
  return Handle() && !IsWindowEnabled(Handle()) ? disabledBrush_.Get() : backgroundBrush_.Get();
}

int CListBoxEx::AddRow(const std::u16string& text, RowKind kind) {
  EndEdit(false);
  const int row = Add(text, static_cast<intptr_t>(kind));
  if (row >= 0) Select(row);
  return row;
}

void CListBoxEx::InsertRow(int row, const std::u16string& text, RowKind kind) {
  const int at = static_cast<int>(
      Send(LB_INSERTSTRING, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(platform::win32::Wide(text))));
  if (at >= 0) Send(LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(kind));
}

void CListBoxEx::DeleteRow(int row) { Send(LB_DELETESTRING, static_cast<WPARAM>(row)); }

void CListBoxEx::Reset() {
  EndEdit(false);
  Clear();
}

std::u16string CListBoxEx::RowText(int row) const {
  const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(row));
  if (length <= 0) return u"";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&text[0]));
  return platform::win32::FromWide(text.c_str(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

RowKind CListBoxEx::Kind(int row) const {
  const intptr_t data = Data(row);
  return data == LB_ERR ? RowKind::Text : static_cast<RowKind>(data);
}

bool CListBoxEx::BeginEdit(int row) {
  if (!Handle() || row < 0 || row >= Count()) return false;
  EndEdit(true);
  const RECT rect = EntryRect(row);
  if (!edit_.CreateControl(L"EDIT", RowText(row), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, Handle(), 0))
    return false;
  editedRow_ = row;
  edit_.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  if (editLimit_ != 0) edit_.Send(EM_LIMITTEXT, editLimit_);
  edit_.Send(EM_SETSEL, 0, -1);
  SetFocus(edit_.Handle());
  return true;
}

void CListBoxEx::EndEdit(bool keep) {
  if (editedRow_ < 0 || !edit_.Handle()) return;
  // Cleared first: destroying the edit takes its focus, which ends the edit
  // again.
  const int row = editedRow_;
  editedRow_ = -1;
  const int length = GetWindowTextLengthW(edit_.Handle());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(edit_.Handle(), &text[0], length + 1);
  const bool hadFocus = GetFocus() == edit_.Handle();
  edit_.Destroy();
  if (hadFocus) SetFocus(Handle());
  if (!keep) return;
  const RowKind kind = Kind(row);
  Send(LB_DELETESTRING, static_cast<WPARAM>(row));
  InsertRow(row, platform::win32::FromWide(text.c_str(), static_cast<std::size_t>(copied > 0 ? copied : 0)), kind);
  Select(row);
  // The edit may have ended because the focus is moving on; the owner hears
  // of it once that has happened.
  Post(codes::WM_LISTBOXEX_EDITDONE, static_cast<WPARAM>(GetDlgCtrlID(Handle())), row);
}

LRESULT CListBoxEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case codes::WM_LISTBOXEX_EDITDONE:
      if (onRowEdited) onRowEdited(static_cast<int>(lParam));
      return 0;
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = Default();
      if (editable_) {
        const LRESULT hit = Send(LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) == 0) BeginEdit(LOWORD(hit));
      }
      return result;
    }
    case WM_ERASEBKGND: {
      const RECT client = ClientRect();
      FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
      return TRUE;
    }
    case WM_ENABLE: {
      const LRESULT result = Default();
      Redraw(true);
      return result;
    }
    default:
      return ListBox::WindowProc(message, wParam, lParam);
  }
}

const Picture& CListBoxEx::Icon(RowKind kind, bool selected) {
  static const Picture none;
  const int base = IconSlot(kind);
  if (base < 0) return none;
  const std::size_t slot = static_cast<std::size_t>(base + (selected ? 1 : 0));
  if (!iconTried_[slot]) {
    iconTried_[slot] = true;
    icons_[slot] = LoadPngFile(skinFolder_ + kIconFiles[slot]);
  }
  return icons_[slot];
}

bool CListBoxEx::MeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemHeight = static_cast<UINT>(rowHeight_);
  return true;
}

bool CListBoxEx::DrawItem(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool enabled = IsWindowEnabled(Handle()) != FALSE;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  if (selected) {
    const Brush selectedBrush(CreateSolidBrush(selectedBackground_));
    FillRect(dc, &rect, selectedBrush.Get());
  } else {
    FillRect(dc, &rect, BackgroundBrush());
  }
  if (item.itemID == static_cast<UINT>(-1)) return true;

  const RowKind kind = Kind(static_cast<int>(item.itemID));
  const Picture& icon = Icon(kind, selected);
  if (!icon.Empty()) icon.Draw(dc, rect.left + kTextIndent, rect.top + 1, kIconSize, kIconSize);

  SavedDC saved(dc);
  SelectObject(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, !enabled ? disabledText_ : selected ? selectedText_ : text_);
  RECT textRect = rect;
  textRect.left += kind == RowKind::Text ? kTextIndent : kIconTextIndent;
  const std::u16string text = RowText(static_cast<int>(item.itemID));
  DrawTextW(dc, platform::win32::Wide(text), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  return true;
}

}  // namespace ui
