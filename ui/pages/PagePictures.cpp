#include "ui/pages/PagePictures.h"

#include "ui/window/Picture.h"

namespace ui {
namespace {

Bitmap CopyArea(HBITMAP source, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (!source || width <= 0 || height <= 0) return Bitmap();
  WindowDC screen(nullptr);
  Bitmap copy(CreateCompatibleBitmap(screen.Get(), width, height));
  MemoryDC from(screen.Get());
  MemoryDC to(screen.Get());
  if (!copy || !from || !to) return Bitmap();
  SelectedObject fromPicture(from.Get(), source);
  SelectedObject toCopy(to.Get(), copy.Get());
  StretchBlt(to.Get(), 0, 0, width, height, from.Get(), area.left, area.top, width, height, SRCCOPY);
  return copy;
}

}  // namespace

void PagePictures::LoadFiles(const std::u16string& normal, const std::u16string& over,
                             const std::u16string& down) {
  SIZE size;
  auto& set = sets_[current_];
  LoadBitmapFile(normal, set[0], size);
  LoadBitmapFile(over, set[1], size);
  LoadBitmapFile(down, set[2], size);
}

void PagePictures::Replace(HBITMAP normal, HBITMAP over, HBITMAP down, const RECT& source) {
  const std::size_t spare = 1 - current_;
  sets_[spare][0] = CopyArea(normal, source);
  sets_[spare][1] = CopyArea(over, source);
  sets_[spare][2] = CopyArea(down, source);
  for (Bitmap& old : sets_[current_]) old.Reset();
  current_ = spare;
}

void PagePictures::Release() {
  for (auto& set : sets_)
    for (Bitmap& picture : set) picture.Reset();
}

}  // namespace ui
