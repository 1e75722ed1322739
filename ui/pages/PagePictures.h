#pragma once

// The three pictures of a page's device (normal, pointer over, pressed) in
// two sets. New pictures go into the spare set, which then becomes current,
// so the buttons cut from the old ones never see a deleted bitmap.

#include <windows.h>

#include <array>
#include <string>

#include "ui/window/GdiHandles.h"

namespace ui {

class PagePictures {
 public:
  // Reads the three BMP files into the current set; one that does not load
  // stays empty.
  void LoadFiles(const std::u16string& normal, const std::u16string& over, const std::u16string& down);
  // Copies `source` (left, top, right, bottom) of each given bitmap into the
  // spare set and makes it current; a null bitmap leaves its picture empty.
  void Replace(HBITMAP normal, HBITMAP over, HBITMAP down, const RECT& source);
  void Release();

  HBITMAP Normal() const { return sets_[current_][0].Get(); }
  HBITMAP Over() const { return sets_[current_][1].Get(); }
  HBITMAP Down() const { return sets_[current_][2].Get(); }
  SIZE Size() const { return sets_[current_][0].Size(); }

 private:
  std::array<std::array<Bitmap, 3>, 2> sets_;
  std::size_t current_ = 0;
};

}  // namespace ui
