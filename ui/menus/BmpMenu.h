#pragma once

// The function menu of the assignment pages: a borderless popup of skinned
// entries, five functions and six categories, shown at the pointer when a
// button's label is clicked and hidden again after a pick. Resting on a
// category opens its functions beside it (CSubBmpMenu). A pick is posted to
// the owner as WM_BMPMENU_PICK: for a function of the top level (entry
// index, function code), for one of a category (the sub-menu's position
// word, (category code << 16) | function code). The owner takes the low 16
// bits of lParam as the function.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/buttons/BitmapBtn.h"
#include "ui/menus/SubBmpMenu.h"
#include "ui/window/Dialog.h"
#include "ui/window/Picture.h"

namespace ui {

// One entry of the menu or of a category's list (which uses label and id only).
struct tagBMPMENUINFO {
  std::u16string label;
  uint8_t hasSubMenu = 0;
  uint8_t subMenuOpen = 0;
  int32_t id = 0;  // function code, or a category's group code
  std::vector<tagBMPMENUINFO> subEntries;
};

class CBmpMenu : public Dialog {
 public:
  static constexpr std::size_t kMaxEntries = 100;

  // `owner` receives the picks.
  CBmpMenu(HWND owner, HWND parent);
  ~CBmpMenu() override;

  // The four pictures of the entries and of the sub-menus; a file that does
  // not load leaves an empty picture.
  void SetEntryImages(const std::u16string& normal, const std::u16string& over, const std::u16string& down,
                      const std::u16string& fourth);
  void SetSubMenuImages(const std::u16string& normal, const std::u16string& over, const std::u16string& down,
                        const std::u16string& fourth);
  void AddEntry(const std::u16string& label, int32_t id);
  void AddSubEntry(std::size_t index, const std::u16string& label, int32_t code);

  // Creates the window, hidden, with one button per entry.
  bool Open();
  // Shows the menu at the pointer, or at `at` (screen), moved away from the
  // right and bottom edges of the screen by its own size where it would
  // cross them.
  void ShowAtCursor();
  void ShowAt(POINT at);
  // Closes the open sub-menu, if any.
  void CloseSubMenu();
  void Destroy() override;

  const std::vector<tagBMPMENUINFO>& Entries() const { return entries_; }
  HWND EntryButton(std::size_t index) const;
  // The open sub-menu, or null.
  CSubBmpMenu* SubMenu() const { return subMenu_.get(); }
  POINT Position() const { return position_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnPaint() override;
  LRESULT OnEraseBackground(HDC) override { return TRUE; }
  LRESULT OnHelp() override { return TRUE; }
  // Moves reach the menu from its entry buttons with the point on the screen.
  LRESULT OnMouseMove(WPARAM keys, POINT at) override;

 private:
  void OpenSubMenu(std::size_t index);

  HWND owner_;
  std::vector<tagBMPMENUINFO> entries_;
  std::array<Picture, 4> entryImages_;
  std::array<Picture, 4> subMenuImages_;
  Picture background_;  // the window-sized top-left piece of the entry picture
  POINT position_ = {0, 0};
  std::vector<std::unique_ptr<CBitmapBtn>> buttons_;
  std::unique_ptr<CSubBmpMenu> subMenu_;
};

}  // namespace ui
