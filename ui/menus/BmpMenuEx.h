#pragma once

// The device drop-down of the main window: a column of skinned entries, one
// per model, opened under the pointer. A click on an entry posts
// WM_BMPMENU_PICK (entry index, entry id) to the owner. One drop-down exists
// at a time, so the entries live in one list shared by the class.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/buttons/BitmapBtn.h"
#include "ui/window/Dialog.h"
#include "ui/window/Picture.h"

namespace ui {

struct tagBMPMENUINFOEX {
  std::u16string label;
  int32_t id;
};

class CBmpMenuEx : public Dialog {
 public:
  static constexpr int kEntryHeight = 22;
  static constexpr int kEntryWidth = 120;
  static constexpr std::size_t kMaxEntries = 50;

  CBmpMenuEx(HWND owner, HWND parent);
  ~CBmpMenuEx() override;

  // Each picture cut to (left, top)-(right, bottom). An entry rests on its
  // piece of `normal`, shows `over` under the pointer, `down` while pressed
  // and `fourth` while it is the current entry; `normal` is the background.
  void SetImages(const Picture& normal, const Picture& over, const Picture& down, const Picture& fourth, int left,
                 int top, int right, int bottom);
  // Screen position of the top-left corner, set before Open.
  void SetPosition(int x, int y);
  void AddEntry(const std::u16string& label, int32_t id);
  // Marks the entry whose id is `key` (as a checked button); unmarks the rest.
  void SetCurrent(int32_t key);
  bool Open();
  void Destroy() override;

  static const std::vector<tagBMPMENUINFOEX>& Entries();
  std::size_t Count() const { return count_; }
  HWND EntryButton(std::size_t index) const;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  LRESULT OnPaint() override;
  LRESULT OnEraseBackground(HDC) override { return TRUE; }
  LRESULT OnHelp() override { return TRUE; }

 private:
  static std::vector<tagBMPMENUINFOEX>& SharedEntries();

  HWND owner_;
  POINT position_ = {0, 0};
  std::size_t count_ = 0;
  std::array<Picture, 4> images_;
  std::vector<std::unique_ptr<CBitmapBtn>> buttons_;
};

}  // namespace ui
