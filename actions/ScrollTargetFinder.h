#pragma once

// Sideways scrolling of the window under the mouse cursor. Programs offer no
// common way to do it, so the window's class decides how its horizontal
// scroll bar is reached: scroll messages to the bar's owner, clicks on the
// bar's arrow, arrow keys (browsers), or the browser document itself.

#include <string>

#include "platform/Handle.h"
#include "platform/SyntheticInput.h"

namespace actions {

using platform::WindowHandle;

// How a window under the cursor is scrolled, decided by its class.
enum class ScrollKind {
  ApplicationView,  // scroll messages to the owner of the bar found for it
  SpreadsheetGrid,  // clicks on the arrow end of the bar found for it
  Browser,          // arrow keys posted to the window itself
  Plain,            // scroll messages to the window itself, once a bar proves it scrolls
};

ScrollKind ClassifyScrollWindow(const std::u16string& className);

// Searches the window tree for the horizontal scroll bar that belongs to the
// spot under the cursor. One lives on the stack for each scroll.
class CFindScrollBar {
 public:
  platform::ScreenPoint scrollCursor{};  // where the cursor was when the scroll began
};

// n > 0 scrolls n steps to the left, n < 0 scrolls -n steps to the right.
void HorizontalScroll(int n);

// The horizontal scroll bar (or the scrollable window) that serves `window`;
// 0 when there is none.
WindowHandle FindScrollTarget(const CFindScrollBar& finder, WindowHandle window);

// A window that can scroll sideways: an embedded browser, a window with the
// horizontal scroll style, or a horizontal scroll-bar control that ends to
// the right of the cursor.
bool IsHorizontalScrollCandidate(const CFindScrollBar& finder, WindowHandle window);

// Scroll bars among the siblings of `start`: first those after it, then
// those before it. `start` must not be 0.
WindowHandle SearchSiblingScrollBars(const CFindScrollBar& finder, WindowHandle start);

// The first child of `window` if it is a candidate, else a scroll bar among
// that child's siblings; 0 for no window or no child.
WindowHandle SearchFirstChild(const CFindScrollBar& finder, WindowHandle window);

// Scrolls the document of the embedded browser under the cursor by 10 pixels.
void BrowserDocumentScroll(bool left);

// Not the desktop and not the desktop's icon list.
bool IsScrollableWindow(WindowHandle window);
bool HasProgmanAncestor(WindowHandle window);

}  // namespace actions
