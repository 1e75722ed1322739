#include "ui/window/Picture.h"

#include <olectl.h>

#include <cstring>

#include "platform/UiToolkit.h"
#include "platform/win32/GdiPlus.h"
#include "platform/win32/WideString.h"
#include "ui/window/Dialog.h"

namespace ui {
namespace {

// A COM interface pointer released when it goes.
template <class Interface>
class ComPtr {
 public:
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  Interface** Out() { return &pointer_; }
  Interface* operator->() const { return pointer_; }
  Interface* Get() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

Picture Checked(Gdiplus::Bitmap* loaded) {
  std::unique_ptr<Gdiplus::Bitmap> bitmap(loaded);
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return Picture();
  return Picture(std::move(bitmap));
}

// A stream over a copy of `size` bytes; the copy goes with the stream.
bool StreamOverCopy(const void* bytes, DWORD size, UINT flags, ComPtr<IStream>& stream) {
  HGLOBAL memory = GlobalAlloc(flags, size);
  if (!memory) return false;
  void* target = GlobalLock(memory);
  if (target) {
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
  }
  if (!target || FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Out()))) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

}  // namespace

Picture::Picture() = default;
Picture::Picture(std::unique_ptr<Gdiplus::Bitmap> bitmap) : bitmap_(std::move(bitmap)) {}
Picture::~Picture() = default;
Picture::Picture(Picture&& other) noexcept = default;
Picture& Picture::operator=(Picture&& other) noexcept = default;

int Picture::Width() const { return bitmap_ ? static_cast<int>(bitmap_->GetWidth()) : 0; }
int Picture::Height() const { return bitmap_ ? static_cast<int>(bitmap_->GetHeight()) : 0; }

Picture Picture::Crop(int x, int y, int width, int height) const {
  if (!bitmap_ || width <= 0 || height <= 0) return Picture();
  return Checked(bitmap_->Clone(x, y, width, height, PixelFormatDontCare));
}

void Picture::Draw(HDC dc, int x, int y, int width, int height) const {
  if (!bitmap_ || !dc) return;
  Gdiplus::Graphics graphics(dc);
  // Skin pieces are drawn at their own size; no smoothing may blur their edges.
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics.DrawImage(bitmap_.get(), Gdiplus::Rect(x, y, width, height));
}

Picture LoadPngFile(const std::u16string& path) {
  platform::Service<platform::UiToolkit>::Get().UseImageLibrary();
  return Checked(Gdiplus::Bitmap::FromFile(platform::win32::Wide(path)));
}

Picture LoadPngResource(UINT id) {
  const HINSTANCE module = ResourceModule();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
  if (!found) return Picture();
  const DWORD size = SizeofResource(module, found);
  HGLOBAL resource = LoadResource(module, found);
  const void* bytes = resource ? LockResource(resource) : nullptr;
  ComPtr<IStream> stream;
  if (!bytes || size == 0 || !StreamOverCopy(bytes, size, GMEM_FIXED, stream)) return Picture();
  platform::Service<platform::UiToolkit>::Get().UseImageLibrary();
  // The image keeps its own reference to the stream for as long as it
  // needs the bytes.
  return Checked(Gdiplus::Bitmap::FromStream(stream.Get()));
}

bool LoadBitmapFile(const std::u16string& path, Bitmap& bitmap, SIZE& size) {
  bitmap.Reset();
  size = SIZE{0, 0};
  HANDLE file = CreateFileW(platform::win32::Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string bytes;
  const DWORD length = GetFileSize(file, nullptr);
  DWORD read = 0;
  if (length != INVALID_FILE_SIZE && length > 0) {
    bytes.resize(length);
    if (!ReadFile(file, &bytes[0], length, &read, nullptr)) read = 0;
  }
  CloseHandle(file);
  if (read == 0 || read != length) return false;

  ComPtr<IStream> stream;
  if (!StreamOverCopy(bytes.data(), length, GMEM_MOVEABLE, stream)) return false;
  ComPtr<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(length), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(picture.Out()))))
    return false;
  short type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle)))
    return false;
  // The picture object owns its bitmap and deletes it when released; the
  // caller gets a copy of its own.
  bitmap.Reset(static_cast<HBITMAP>(
      CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0)));
  size = bitmap.Size();
  return static_cast<bool>(bitmap);
}

Bitmap LoadBitmapResource(UINT id) { return Bitmap(LoadBitmapW(ResourceModule(), MAKEINTRESOURCEW(id))); }

}  // namespace ui
