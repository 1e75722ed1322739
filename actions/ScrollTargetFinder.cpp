#include "actions/ScrollTargetFinder.h"

#include <cstdint>

#include "platform/Accessibility.h"
#include "platform/Com.h"
#include "platform/DebugOutput.h"
#include "platform/DynamicLibrary.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowInspection.h"

namespace actions {

using namespace platform;

namespace {

// A scroll bar of a view of these classes may lie a little beyond the view's
// own edges; one that reaches further belongs to another view.
constexpr int32_t kSpanMarginPx = 25;
// Spreadsheet bars are clicked this far inside their arrow end.
constexpr int32_t kArrowInsetPx = 5;
// Pixels one browser-document step moves.
constexpr int32_t kDocumentStepPx = 10;

// Key messages for the arrow keys: repeat count 1, the scan code, the
// extended-key bit; key-up adds the previous-state and transition bits.
constexpr uint32_t kLeftDownBits = 0x014B0001;
constexpr uint32_t kLeftUpBits = 0xC14B0001;
constexpr uint32_t kRightDownBits = 0x014D0001;
constexpr uint32_t kRightUpBits = 0xC14D0001;

const char16_t kScrollBarClass[] = u"ScrollBar";
const char16_t kNuiScrollBarClass[] = u"NUIScrollbar";
const char16_t kBrowserServerClass[] = u"Internet Explorer_Server";

WindowInspection& Windows() { return Service<WindowInspection>::Get(); }

bool IsScrollBarClass(const std::u16string& className) {
  return className == kScrollBarClass || className == kNuiScrollBarClass;
}

// The horizontal bar hidden inside a viewer's own scroll-bar container, or 0.
// `className` becomes the class of the container's first child, if any.
WindowHandle ViewerBarInside(WindowHandle container, std::u16string& className) {
  if (className != u"AVL_AVScrollBar") return 0;
  const WindowHandle child = Windows().FirstChild(container);
  if (child == 0) return 0;
  className = Windows().ClassName(child);
  if (className != kScrollBarClass) return 0;
  if (Windows().Style(child) & (kScrollBarVertical | kScrollBarSizeBox)) return 0;
  return child;
}

// Whether `bar`, a candidate scroll bar found under the parent of a view,
// lies within the view's horizontal span.
bool MatchScrollBarInSpan(const CFindScrollBar& finder, const ScreenRect& reference, WindowHandle bar) {
  if (!IsScrollBarClass(Windows().ClassName(bar))) return false;
  if (!IsHorizontalScrollCandidate(finder, bar)) return false;
  const ScreenRect r = Windows().Rect(bar);
  return r.left >= reference.left - kSpanMarginPx && r.right <= reference.right + kSpanMarginPx;
}

struct ClassRule {
  const char16_t* className;
  ScrollKind kind;
};

// Checked in this order; the first match wins.
constexpr ClassRule kClassRules[] = {
    {u"_WwG", ScrollKind::ApplicationView},
    {u"paneClassDC", ScrollKind::ApplicationView},
    {u"VISIOG", ScrollKind::ApplicationView},
    {u"PSViewC", ScrollKind::ApplicationView},
    {u"EditControl", ScrollKind::ApplicationView},
    {u"FrontPageEditorDocumentView", ScrollKind::ApplicationView},
    {u"EXCEL7", ScrollKind::SpreadsheetGrid},
    {u"AVL_AVView", ScrollKind::ApplicationView},
    {u"OGrid", ScrollKind::ApplicationView},
    {u"OFormSub", ScrollKind::ApplicationView},
    {u"OPrtPrevPage", ScrollKind::ApplicationView},
    {u"MozillaWindowClass", ScrollKind::Browser},
    {u"Chrome_RenderWidgetHostHWND", ScrollKind::Browser},
    {u"OperaWindowClass", ScrollKind::Browser},
};

void ClickArrowEnd(WindowHandle bar, bool left, unsigned steps, ScreenPoint cursor) {
  SyntheticInput& input = Service<SyntheticInput>::Get();
  const ScreenRect r = Windows().Rect(bar);
  const ScreenPoint spot{left ? r.left + kArrowInsetPx : r.right - kArrowInsetPx, r.top + kArrowInsetPx};
  input.MoveCursor(spot);
  // A click with the primary button, whichever physical button that is.
  const bool swapped = input.MouseButtonsSwapped();
  const uint32_t down = kMouseAbsolute | (swapped ? kMouseRightDown : kMouseLeftDown);
  const uint32_t up = kMouseAbsolute | (swapped ? kMouseRightUp : kMouseLeftUp);
  // Without the move flag the events act where the cursor was put.
  for (unsigned i = 0; i < steps; ++i) {
    input.MouseEvent(down, spot.x, spot.y, 0, 0);
    input.MouseEvent(up, spot.x, spot.y, 0, 0);
  }
  input.MoveCursor(cursor);
}

}  // namespace

ScrollKind ClassifyScrollWindow(const std::u16string& className) {
  for (const ClassRule& rule : kClassRules)
    if (className == rule.className) return rule.kind;
  return ScrollKind::Plain;
}

bool HasProgmanAncestor(WindowHandle window) {
  for (WindowHandle up = Windows().Parent(window); up != 0; up = Windows().Parent(up))
    if (Windows().ClassName(up) == u"Progman") return true;
  return false;
}

bool IsScrollableWindow(WindowHandle window) {
  if (window == 0 || window == Windows().DesktopWindow()) return false;
  return !(Windows().ClassName(window) == u"SysListView32" && HasProgmanAncestor(window));
}

bool IsHorizontalScrollCandidate(const CFindScrollBar& finder, WindowHandle window) {
  const std::u16string className = Windows().ClassName(window);
  if (className == kBrowserServerClass) return true;
  if (!IsScrollBarClass(className)) return (Windows().Style(window) & kStyleHScroll) != 0;
  const ScreenRect r = Windows().Rect(window);
  // 64-bit arithmetic: rectangles come from other programs.
  const int64_t width = int64_t{r.right} - r.left;
  const int64_t height = int64_t{r.bottom} - r.top;
  if (width <= height) return false;  // a vertical bar
  return finder.scrollCursor.x < r.right;
}

WindowHandle SearchFirstChild(const CFindScrollBar& finder, WindowHandle window) {
  if (window == 0) return 0;
  const WindowHandle child = Windows().FirstChild(window);
  if (child == 0) return 0;
  if (IsHorizontalScrollCandidate(finder, child)) return child;
  return SearchSiblingScrollBars(finder, child);
}

WindowHandle SearchSiblingScrollBars(const CFindScrollBar& finder, WindowHandle start) {
  for (WindowHandle x = Windows().NextSibling(start); x != 0; x = Windows().NextSibling(x)) {
    std::u16string className = Windows().ClassName(x);
    if (const WindowHandle bar = ViewerBarInside(x, className)) return bar;
    if (IsScrollBarClass(className) && IsHorizontalScrollCandidate(finder, x)) return x;
  }
  for (WindowHandle x = Windows().PreviousSibling(start); x != 0; x = Windows().PreviousSibling(x)) {
    std::u16string className = Windows().ClassName(x);
    if (const WindowHandle bar = ViewerBarInside(x, className)) return bar;
    if (IsScrollBarClass(className) && IsHorizontalScrollCandidate(finder, x)) return x;
    // Frames of older application frameworks keep their bars one level down.
    if (className == u"AfxWnd70" || className == u"AfxWnd42")
      if (const WindowHandle bar = SearchFirstChild(finder, x)) return bar;
  }
  return 0;
}

WindowHandle FindScrollTarget(const CFindScrollBar& finder, WindowHandle window) {
  if (!IsScrollableWindow(window)) return 0;
  WindowInspection& windows = Windows();
  const ScreenPoint client = windows.ToClient(window, Service<SyntheticInput>::Get().CursorPos());
  WindowHandle view = windows.ChildAt(window, client);
  if (view == 0) view = window;

  WindowHandle result = IsHorizontalScrollCandidate(finder, view) ? view : 0;
  const std::u16string className = windows.ClassName(view);
  if (className == u"MozillaWindowClass") result = windows.Parent(view);
  if (className == u"DirectUIHWND") {
    const WindowHandle first = windows.ChildAfter(view, 0);
    if (result == 0) result = SearchFirstChild(finder, first);
    const WindowHandle second = windows.ChildAfter(view, first);
    if (result == 0) result = SearchFirstChild(finder, second);
  }
  if (className != kScrollBarClass) {
    if (result != 0) return result;
    result = SearchFirstChild(finder, view);
    if (result == 0) result = SearchSiblingScrollBars(finder, view);
  }
  if (result != 0) return result;
  if (className != u"paneClassDC" && className != u"VISIOG") return 0;

  // These views keep their bars elsewhere under their parent: take the first
  // one within the view's span.
  const ScreenRect reference = windows.Rect(view);
  WindowHandle found = 0;
  windows.ForEachDescendant(windows.Parent(view), [&](WindowHandle candidate) {
    if (!MatchScrollBarInSpan(finder, reference, candidate)) return true;
    found = candidate;
    return false;
  });
  return found;
}

void BrowserDocumentScroll(bool left) {
  WindowInspection& windows = Windows();
  const WindowHandle under = windows.WindowAt(Service<SyntheticInput>::Get().CursorPos());
  const std::u16string className = windows.ClassName(under);

  Com& com = Service<Com>::Get();
  DynamicLibrary& libraries = Service<DynamicLibrary>::Get();
  const bool comOwed = com.Initialize();
  const Handle library = libraries.Load(u"OLEACC.DLL");
  if (library != 0) {
    if (className == kBrowserServerClass) {
      const DocumentScroll outcome =
          Service<Accessibility>::Get().ScrollDocument(library, under, left ? -kDocumentStepPx : kDocumentStepPx);
      if (outcome == DocumentScroll::Refused)
        windows.Send(under, kMsgHScroll, left ? kScrollLineLeft : kScrollLineRight, 0);
    }
    libraries.Free(library);
  }
  if (comOwed) com.Uninitialize();
}

void HorizontalScroll(int n) {
  WindowInspection& windows = Windows();
  const ScreenPoint cursor = Service<SyntheticInput>::Get().CursorPos();
  const WindowHandle under = windows.WindowAt(cursor);
  const std::u16string className = windows.ClassName(under);
  if (under == windows.DesktopWindow()) return;
  if (className == u"SysListView32" && HasProgmanAncestor(under)) return;  // the desktop's icons

  const ScrollKind kind = ClassifyScrollWindow(className);
  WindowHandle target = under;
  if (kind != ScrollKind::Browser) {
    CFindScrollBar finder;
    finder.scrollCursor = cursor;
    target = FindScrollTarget(finder, under);
    if (target == 0) {
      Service<DebugOutput>::Get().Write(u"No scroll bar found\n");
      return;
    }
  }

  const bool left = n > 0;
  const unsigned steps = left ? static_cast<unsigned>(n) : 0u - static_cast<unsigned>(n);
  const uintptr_t line = left ? kScrollLineLeft : kScrollLineRight;
  switch (kind) {
    case ScrollKind::ApplicationView: {
      const WindowHandle owner = windows.Parent(target);
      for (unsigned i = 0; i < steps; ++i)
        windows.Post(owner, kMsgHScroll, line, static_cast<intptr_t>(target));
      break;
    }
    case ScrollKind::SpreadsheetGrid:
      ClickArrowEnd(target, left, steps, cursor);
      break;
    case ScrollKind::Browser: {
      const uint8_t key = left ? vk::kLeft : vk::kRight;
      // As the 32-bit value Windows passes, whatever the width of lParam.
      const auto down = static_cast<intptr_t>(left ? kLeftDownBits : kRightDownBits);
      const auto up = static_cast<intptr_t>(left ? kLeftUpBits : kRightUpBits);
      for (unsigned i = 0; i < steps; ++i) {
        windows.Post(target, kMsgKeyDown, key, down);
        windows.Post(target, kMsgKeyUp, key, up);
      }
      break;
    }
    case ScrollKind::Plain:
      // The message goes to the window under the cursor; the target found
      // only proves that something there scrolls sideways.
      for (unsigned i = 0; i < steps; ++i) {
        if (className == kBrowserServerClass)
          BrowserDocumentScroll(left);
        else if (left)
          windows.Post(under, kMsgHScroll, kScrollLineLeft, 0);
        else
          windows.Send(under, kMsgHScroll, kScrollLineRight, 0);
      }
      break;
  }
}

}  // namespace actions
