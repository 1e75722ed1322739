// Loading the skin pictures: PNG files and "PNG" resources into image-library
// bitmaps, BMP files and bitmap resources into device-dependent bitmaps, and
// pictures that do not load becoming empty 0 x 0 pictures.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "fakes/TempFolder.h"
#include "platform/win32/GdiPlus.h"
#include "ui/window/Picture.h"

namespace {

// A 24-bit BMP file whose pixel (x, y) is RGB(x * 10, y * 10, 99).
std::string BmpBytes(int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
  for (int row = height - 1; row >= 0; --row) {
    std::string line(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
      line[static_cast<size_t>(x * 3)] = static_cast<char>(99);
      line[static_cast<size_t>(x * 3 + 1)] = static_cast<char>(row * 10);
      line[static_cast<size_t>(x * 3 + 2)] = static_cast<char>(x * 10);
    }
    bytes += line;
  }
  return bytes;
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
  ui::MemoryDC dc;
  ui::SelectedObject selected(dc.Get(), bitmap);
  return GetPixel(dc.Get(), x, y);
}

TEST(Pictures, PngFileKeepsEveryPixelAndItsAlpha) {
  fakes::TempFolder folder;
  ui::Picture source = uitest::CoordinatePicture(40, 30, 7);
  source.Get()->SetPixel(3, 4, Gdiplus::Color(128, 10, 20, 30));
  const std::u16string path = folder.ProgramPath() + u"skin.png";
  ASSERT_TRUE(uitest::SavePng(source, path));

  const ui::Picture loaded = ui::LoadPngFile(path);
  ASSERT_FALSE(loaded.Empty());
  EXPECT_EQ(loaded.Width(), 40);
  EXPECT_EQ(loaded.Height(), 30);
  Gdiplus::Color pixel;
  loaded.Get()->GetPixel(21, 17, &pixel);
  EXPECT_EQ(pixel.GetValue(), Gdiplus::Color(255, 21, 17, 7).GetValue());
  loaded.Get()->GetPixel(3, 4, &pixel);
  EXPECT_EQ(pixel.GetAlpha(), 128);
}

TEST(Pictures, WhatDoesNotLoadIsAnEmptyPictureOfSizeZero) {
  fakes::TempFolder folder;
  folder.Write("broken.png", "not a picture at all");
  for (const std::u16string& path : {folder.ProgramPath() + u"missing.png", folder.ProgramPath() + u"broken.png"}) {
    const ui::Picture picture = ui::LoadPngFile(path);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
    EXPECT_TRUE(picture.Crop(0, 0, 5, 5).Empty());
  }
  EXPECT_TRUE(ui::LoadPngResource(9999).Empty());
  EXPECT_FALSE(ui::LoadBitmapResource(9999));

  // Drawing an empty picture leaves the canvas as it was.
  uitest::Canvas canvas(20, 20, RGB(1, 2, 3));
  ui::Picture().Draw(canvas.Dc(), 0, 0, 20, 20);
  EXPECT_EQ(canvas.CountDiffering(RECT{0, 0, 20, 20}, RGB(1, 2, 3)), 0);
}

TEST(Pictures, APieceIsCutAndDrawnPixelForPixel) {
  const ui::Picture source = uitest::CoordinatePicture(100, 60, 5);
  const ui::Picture piece = source.Crop(30, 20, 40, 25);
  ASSERT_EQ(piece.Width(), 40);
  ASSERT_EQ(piece.Height(), 25);
  uitest::Canvas canvas(60, 40);
  piece.Draw(canvas.Dc(), 10, 5, 40, 25);
  for (const POINT at : {POINT{0, 0}, POINT{39, 24}, POINT{17, 11}})
    EXPECT_EQ(canvas.Pixel(10 + at.x, 5 + at.y), RGB(30 + at.x, 20 + at.y, 5)) << at.x << "," << at.y;
  EXPECT_EQ(canvas.Pixel(9, 5), RGB(255, 255, 255));
  EXPECT_EQ(canvas.Pixel(50, 5), RGB(255, 255, 255));

  // An area that leaves the picture gives nothing.
  EXPECT_TRUE(source.Crop(80, 50, 40, 25).Empty());
}

TEST(Pictures, PngResourcesOfTheProgram) {
  const ui::Picture message = ui::LoadPngResource(151);
  EXPECT_EQ(message.Width(), 351);
  EXPECT_EQ(message.Height(), 141);
}

TEST(Pictures, BmpFileBecomesADeviceBitmapWithItsSize) {
  fakes::TempFolder folder;
  folder.Write("Mouse_Normal.bmp", BmpBytes(21, 13));
  ui::Bitmap bitmap;
  SIZE size = {};
  ASSERT_TRUE(ui::LoadBitmapFile(folder.ProgramPath() + u"Mouse_Normal.bmp", bitmap, size));
  EXPECT_EQ(size.cx, 21);
  EXPECT_EQ(size.cy, 13);
  EXPECT_EQ(bitmap.Size().cx, 21);
  EXPECT_EQ(BitmapPixel(bitmap.Get(), 0, 0), RGB(0, 0, 99));
  EXPECT_EQ(BitmapPixel(bitmap.Get(), 20, 12), RGB(200, 120, 99));
}

TEST(Pictures, BmpFileThatDoesNotLoadEmptiesTheBitmap) {
  fakes::TempFolder folder;
  folder.Write("good.bmp", BmpBytes(4, 4));
  folder.Write("broken.bmp", "BM but nothing after it");
  folder.Write("empty.bmp", "");
  for (const char16_t* name : {u"missing.bmp", u"broken.bmp", u"empty.bmp"}) {
    ui::Bitmap bitmap;
    SIZE size = {};
    ASSERT_TRUE(ui::LoadBitmapFile(folder.ProgramPath() + u"good.bmp", bitmap, size));
    EXPECT_FALSE(ui::LoadBitmapFile(folder.ProgramPath() + name, bitmap, size));
    EXPECT_FALSE(bitmap);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
  }
}

TEST(Pictures, LoadingAgainAndAgainHoldsNoMoreObjects) {
  fakes::TempFolder folder;
  folder.Write("page.bmp", BmpBytes(50, 40));
  ASSERT_TRUE(uitest::SavePng(uitest::CoordinatePicture(50, 40, 1), folder.ProgramPath() + u"menu.png"));
  ui::Bitmap bitmap;
  SIZE size = {};
  const auto before = uitest::CountResources();
  for (int i = 0; i < 200; ++i) {
    ui::LoadBitmapFile(folder.ProgramPath() + u"page.bmp", bitmap, size);
    ui::Picture png = ui::LoadPngFile(folder.ProgramPath() + u"menu.png");
    ui::Picture resource = ui::LoadPngResource(151);
    ui::Bitmap banner = ui::LoadBitmapResource(156);
  }
  bitmap.Reset();
  const auto after = uitest::CountResources();
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_LT(after.committedBytes, before.committedBytes + (4u << 20));
}

}  // namespace
