#pragma once

// The owner-drawn list of the macro editor: rows of text, each with a kind
// kept as its entry data that chooses its icon (key press, key release,
// pause) or its indent, drawn in the owner's colours and font. An editable
// list lets a double-clicked row be renamed in place: Enter or leaving the
// edit keeps the text and, once the focus has settled, runs onRowEdited;
// Esc drops it.

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "macro/MacroEventRows.h"
#include "ui/window/Controls.h"
#include "ui/window/GdiHandles.h"
#include "ui/window/Picture.h"

namespace ui {

class CListBoxEx;

// The edit window laid over a row while it is renamed.
class ListRowEdit : public Control {
 public:
  explicit ListRowEdit(CListBoxEx& list) : list_(list) {}

 protected:
  bool PreTranslateMessage(MSG& msg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnKillFocus(HWND gaining) override;

 private:
  CListBoxEx& list_;
};

class CListBoxEx : public ListBox {
 public:
  static constexpr int kDefaultRowHeight = 20;
  static constexpr int kIconSize = 16;

  // A row's text was changed in place (the row's position).
  std::function<void(int row)> onRowEdited;

  CListBoxEx();
  ~CListBoxEx() override;

  // A child list with control id `id`; icons are read from `skinFolder`
  // (ending in a separator).
  bool Create(HWND parent, const RECT& rect, int id, const std::u16string& skinFolder);

  void SetRowHeight(int height) { rowHeight_ = height; }
  void SetEditable(bool editable) { editable_ = editable; }
  // Limits the in-place edit to this many characters; 0 is no limit.
  void SetEditLimit(std::size_t characters) { editLimit_ = characters; }
  void SetColors(COLORREF background, COLORREF text, COLORREF selectedText, COLORREF selectedBackground);
  HBRUSH BackgroundBrush() const;

  // Appends a row and selects it; an open edit is closed without keeping it.
  int AddRow(const std::u16string& text, macro::RowKind kind);
  void InsertRow(int row, const std::u16string& text, macro::RowKind kind);
  void DeleteRow(int row);
  // Empties the list; an open edit is closed without keeping it.
  void Reset();
  std::u16string RowText(int row) const;
  macro::RowKind Kind(int row) const;

  // The in-place edit: opened over `row` holding its text, all selected.
  bool BeginEdit(int row);
  // Keeps the edit's text in the row (Enter, focus lost) or drops it (Esc).
  void EndEdit(bool keep);
  HWND EditWindow() const { return edit_.Handle(); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override;
  bool MeasureItem(MEASUREITEMSTRUCT& item) override;

 private:
  const Picture& Icon(macro::RowKind kind, bool selected);

  std::u16string skinFolder_;
  int rowHeight_ = kDefaultRowHeight;
  bool editable_ = false;
  std::size_t editLimit_ = 0;
  COLORREF background_;
  COLORREF text_;
  COLORREF selectedText_;
  COLORREF selectedBackground_;
  COLORREF disabledText_;
  Brush backgroundBrush_;
  Brush disabledBrush_;
  Font font_;
  // Icons by kind (release, press, pause), normal and selected, read once.
  std::array<Picture, 6> icons_;
  std::array<bool, 6> iconTried_{};
  ListRowEdit edit_{*this};
  int editedRow_ = -1;
};

}  // namespace ui
