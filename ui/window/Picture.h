#pragma once

// The skin pictures. PNG pictures (files or "PNG" resources) become
// image-library bitmaps, alpha included; BMP files and bitmap resources
// become device-dependent bitmaps. A picture that does not load is an empty
// picture measuring 0 x 0: windows draw without it, nobody is told.

#include <windows.h>

#include <memory>
#include <string>

#include "ui/window/GdiHandles.h"

namespace Gdiplus {
class Bitmap;
}  // namespace Gdiplus

namespace ui {

class Picture {
 public:
  Picture();
  explicit Picture(std::unique_ptr<Gdiplus::Bitmap> bitmap);
  ~Picture();
  Picture(Picture&& other) noexcept;
  Picture& operator=(Picture&& other) noexcept;

  bool Empty() const { return !bitmap_; }
  int Width() const;
  int Height() const;
  Gdiplus::Bitmap* Get() const { return bitmap_.get(); }

  // The area (x, y, width, height) as a picture of its own, pixel for pixel;
  // empty when this one is empty or the area does not lie inside it.
  Picture Crop(int x, int y, int width, int height) const;
  // Draws the whole picture scaled into (x, y, width, height) of `dc`; a
  // picture of that very size lands pixel for pixel.
  void Draw(HDC dc, int x, int y, int width, int height) const;

 private:
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

// A PNG (or any format the image library reads) from a file.
Picture LoadPngFile(const std::u16string& path);
// A resource of type "PNG" of the program.
Picture LoadPngResource(UINT id);

// A BMP file as a device-dependent bitmap; `size` gets its width and height.
// A missing or unreadable file leaves `bitmap` empty and `size` 0 x 0.
bool LoadBitmapFile(const std::u16string& path, Bitmap& bitmap, SIZE& size);
// A bitmap resource of the program; empty when there is none.
Bitmap LoadBitmapResource(UINT id);

}  // namespace ui
