#pragma once

// Owners for the handles the windows draw with. Every path out of a drawing
// routine - early returns included - gives back what it took, so a skin that
// fails to load half-way leaks nothing.

#include <windows.h>

#include <utility>

namespace ui {

// One handle and the call that gives it back.
template <class Handle, class Closer>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_ && handle_ != handle) Closer::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct GdiObjectCloser {
  static void Close(HGDIOBJ object) { DeleteObject(object); }
};
struct ModuleCloser {
  static void Close(HMODULE module) { FreeLibrary(module); }
};
struct HookCloser {
  static void Close(HHOOK hook) { UnhookWindowsHookEx(hook); }
};

// A GDI object (bitmap, font, brush, pen) deleted with DeleteObject.
template <class Handle>
using GdiObject = UniqueHandle<Handle, GdiObjectCloser>;

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;

// A device-dependent bitmap; an empty one measures 0 x 0.
class Bitmap : public GdiObject<HBITMAP> {
 public:
  using UniqueHandle::UniqueHandle;
  SIZE Size() const {
    BITMAP info = {};
    if (!Get() || !GetObjectW(Get(), sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
  }
};

// Puts an object into a DC and takes it out again.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Saves the whole state of a DC (colours, modes, selections) and restores it.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), level_(SaveDC(dc)) {}
  ~SavedDC() {
    if (level_) RestoreDC(dc_, level_);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int level_;
};

// A memory DC compatible with `reference` (the screen when null).
class MemoryDC {
 public:
  explicit MemoryDC(HDC reference = nullptr) : dc_(CreateCompatibleDC(reference)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// GetDC / ReleaseDC of a window (the screen for null).
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const { return dc_; }
  const RECT& Dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
  HDC dc_;
};

// A loaded library, freed when the owner goes.
class Module : public UniqueHandle<HMODULE, ModuleCloser> {
 public:
  using UniqueHandle::UniqueHandle;
  // The address of an export cast to the caller's function type; null when missing.
  template <class Function>
  Function Find(const char* name) const {
    return Get() ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(Get(), name))) : nullptr;
  }
};

// A Windows hook, removed when the owner goes.
using Hook = UniqueHandle<HHOOK, HookCloser>;

}  // namespace ui
