#pragma once

// A popup menu whose entries draw themselves. The window that tracks the
// menu receives WM_MEASUREITEM and WM_DRAWITEM for its entries; the window
// base hands them to the menu object that holds the entry, so any window can
// track such a menu without knowing how it looks.

#include <windows.h>

#include <cstdint>

namespace ui {

class OwnerDrawMenu {
 public:
  OwnerDrawMenu();
  virtual ~OwnerDrawMenu();
  OwnerDrawMenu(const OwnerDrawMenu&) = delete;
  OwnerDrawMenu& operator=(const OwnerDrawMenu&) = delete;

  HMENU Handle() const { return menu_; }

  // Appends an owner-drawn entry with command `id`; `data` is handed back as
  // the entry's item data and must outlive the menu's tracking.
  bool AppendEntry(UINT id, const void* data, UINT flags = 0);
  // Appends `subMenu` as an owner-drawn popup entry. Each object keeps its
  // own menu handle: this menu lets go of the sub-menu before it is itself
  // destroyed.
  bool AppendSubMenu(OwnerDrawMenu& subMenu, const void* data, UINT flags = 0);

  // Shows the menu at `at` (screen coordinates) with `owner` receiving the
  // drawing messages; returns the chosen command (0 for none) when
  // TPM_RETURNCMD is in `flags`, else whether the menu was shown.
  UINT Track(HWND owner, POINT at, UINT flags);

  virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
  virtual void MeasureItem(MEASUREITEMSTRUCT& item) = 0;

  // The object of a menu handle, or null.
  static OwnerDrawMenu* FromHandle(HMENU menu);
  // The object holding the owner-drawn entry a WM_MEASUREITEM is about (the
  // message does not say which menu it comes from), or null.
  static OwnerDrawMenu* ForMeasure(const MEASUREITEMSTRUCT& item);

 private:
  bool Holds(UINT id, ULONG_PTR data) const;

  HMENU menu_;
};

}  // namespace ui
