#pragma once

// Looking at the windows on the screen (which one is in front, which one is
// under a point, their classes, styles, places and family) and sending them
// commands.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Handle.h"
#include "platform/Service.h"
#include "platform/SyntheticInput.h"

namespace platform {

struct ScreenRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// Window styles the program tests.
constexpr uint32_t kStyleHScroll = 0x00100000;
constexpr uint32_t kStyleMaximizeBox = 0x00010000;
constexpr uint32_t kStyleMinimizeBox = 0x00020000;
// Scroll-bar control styles.
constexpr uint32_t kScrollBarVertical = 0x01;
constexpr uint32_t kScrollBarSizeBox = 0x08;

// Messages and their arguments.
constexpr uint32_t kMsgClose = 0x0010;
constexpr uint32_t kMsgKeyDown = 0x0100;
constexpr uint32_t kMsgKeyUp = 0x0101;
constexpr uint32_t kMsgCommand = 0x0111;
constexpr uint32_t kMsgSysCommand = 0x0112;
constexpr uint32_t kMsgHScroll = 0x0114;
constexpr uint32_t kMsgLeftButtonDoubleClick = 0x0203;
constexpr uint32_t kMsgRightButtonDown = 0x0204;
constexpr uintptr_t kScrollLineLeft = 0;
constexpr uintptr_t kScrollLineRight = 1;
constexpr uintptr_t kSysCommandMinimize = 0xF020;
constexpr uintptr_t kSysCommandMaximize = 0xF030;

class WindowInspection {
 public:
  virtual ~WindowInspection() = default;

  // The window the user works in; 0 when there is none.
  virtual WindowHandle ForegroundWindow() = 0;
  virtual WindowHandle DesktopWindow() = 0;
  // The deepest visible window at a screen point; 0 when none.
  virtual WindowHandle WindowAt(ScreenPoint point) = 0;
  // The child of `parent` that holds a point given relative to the parent's
  // client area: `parent` itself when no child does, 0 when the point lies
  // outside the parent.
  virtual WindowHandle ChildAt(WindowHandle parent, ScreenPoint clientPoint) = 0;
  virtual ScreenPoint ToClient(WindowHandle window, ScreenPoint point) = 0;

  // The window's title, and its class name (at most 259 units); empty when
  // they cannot be read.
  virtual std::u16string Title(WindowHandle window) = 0;
  virtual std::u16string ClassName(WindowHandle window) = 0;
  // Window style bits; 0 when they cannot be read.
  virtual uint32_t Style(WindowHandle window) = 0;
  // The window's rectangle in screen coordinates; all zero when unknown.
  virtual ScreenRect Rect(WindowHandle window) = 0;

  // Family: 0 stands for none.
  virtual WindowHandle Parent(WindowHandle window) = 0;
  virtual WindowHandle FirstChild(WindowHandle window) = 0;
  virtual WindowHandle NextSibling(WindowHandle window) = 0;
  virtual WindowHandle PreviousSibling(WindowHandle window) = 0;
  // The child of `parent` that follows `after` (0: the first child).
  virtual WindowHandle ChildAfter(WindowHandle parent, WindowHandle after) = 0;
  // Visits every descendant of `parent`, parents before their children,
  // until `visit` answers false.
  virtual void ForEachDescendant(WindowHandle parent, const std::function<bool(WindowHandle)>& visit) = 0;

  // Delivers a message and waits for the answer / queues it and returns.
  virtual intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  virtual bool Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

template <>
WindowInspection& Service<WindowInspection>::Default();

}  // namespace platform
