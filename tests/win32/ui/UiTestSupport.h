#pragma once

// Helpers of the window-layer tests: message pumping, a script that drives a
// modal dialog from inside its own loop, pictures of known colours, a canvas
// whose pixels can be read, and counts of the process's GDI and window
// objects and memory for the leak checks.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/window/Dialog.h"
#include "ui/window/GdiHandles.h"
#include "ui/window/Picture.h"
#include "ui/window/Window.h"

namespace uitest {

// Handles everything queued for this thread, the way the program's loops do.
void PumpPending();
// Pumps until `done` holds; returns whether it holds. The bound of twenty
// seconds only keeps a broken path from hanging the run.
bool PumpUntil(const std::function<bool()>& done);
// Handles everything posted to this thread so far, then what handling that
// posted, and so on, `rounds` deep: a marker posted behind the queue's
// messages has been handled once per round.
bool PumpPosted(int rounds = 3);

// Runs steps inside a modal loop: the first when the loop handles its first
// messages, each next one after everything the previous step posted. A
// dialog still open twenty seconds after the last step is ended with
// kStuck, so a test that fails to close its dialog fails instead of hanging.
class ModalScript : public ui::Window {
 public:
  static constexpr INT_PTR kStuck = -2;
  ModalScript(ui::Dialog& dialog, std::vector<std::function<void()>> steps);
  // Runs the dialog with the script; returns the modal result.
  INT_PTR Run();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ui::Dialog& dialog_;
  std::deque<std::function<void()>> steps_;
};

// Clicks a push button the way the system does for BM_CLICK.
void Click(HWND button);
// Two clicks of the left button at `screen` through the system's input, as
// quick as a double click, and everything they cause handled: the window
// there, which must be one of this thread's, receives the second press as a
// double click.
void ClickTwiceQuickly(POINT screen);
// Posts a key press and release to `window`.
void PostKey(HWND window, WPARAM key);
// Posts what the keyboard-hook library posts for a key press or release.
void PostHookKey(HWND window, WPARAM key, bool release);
// Where `control` sits in the client area of `parent`.
RECT PlaceIn(HWND parent, HWND control);

// A picture of one colour, fully opaque.
ui::Picture SolidPicture(int width, int height, COLORREF color);
// A picture whose pixel (x, y) is RGB(x, y, blue): every piece of it shows
// where it was cut from.
ui::Picture CoordinatePicture(int width, int height, BYTE blue);
// A device-dependent bitmap of one colour, and one coded like CoordinatePicture.
ui::Bitmap SolidBitmap(int width, int height, COLORREF color);
ui::Bitmap CoordinateBitmap(int width, int height, BYTE blue);
// Writes a picture as a PNG file; false when it could not.
bool SavePng(const ui::Picture& picture, const std::u16string& path);

// A 32-bit top-down canvas to draw into and read back.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC Dc() const { return dc_; }
  COLORREF Pixel(int x, int y) const;
  void Fill(COLORREF color);
  // Pixels in [left, right) x [top, bottom) that differ from `background`.
  int CountDiffering(const RECT& area, COLORREF background) const;
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  uint32_t* bits_ = nullptr;
};

// The contents of a window as it would paint itself, read back.
void CaptureWindow(HWND window, Canvas& canvas);

// A menu's owner: records the picks (wParam, lParam) it is told about.
class PickRecorder : public ui::Window {
 public:
  std::vector<std::pair<WPARAM, LPARAM>> picks;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

struct ResourceCounts {
  long gdiObjects;
  long windows;
  size_t committedBytes;
};
// GDI objects and windows of this process and its committed memory. The
// GDI count comes from the system where it reports one and from the
// process's GDI handle table where it does not.
ResourceCounts CountResources();

}  // namespace uitest
