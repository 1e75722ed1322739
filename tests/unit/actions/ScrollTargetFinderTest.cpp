#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/ScrollTargetFinder.h"
#include "fakes/FakeDesktop.h"
#include "platform/WideText.h"
#include "platform/WindowInspection.h"

namespace {

using actions::CFindScrollBar;
using actions::ScrollKind;
using fakes::CursorLine;
using fakes::FakeDesktop;
using fakes::MouseLine;
using fakes::PostLine;
using fakes::SendLine;
using platform::kMsgHScroll;
using platform::kMsgKeyDown;
using platform::kMsgKeyUp;
using platform::kStyleHScroll;
using platform::WindowHandle;
using Lines = std::vector<std::string>;

constexpr WindowHandle kDesktop = FakeDesktop::kDesktop;

TEST(ScrollKindTest, ClassesAreComparedExactlyAgainstTheTable) {
  const struct {
    std::u16string className;
    ScrollKind kind;
  } cases[] = {
      {u"_WwG", ScrollKind::ApplicationView},
      {u"paneClassDC", ScrollKind::ApplicationView},
      {u"VISIOG", ScrollKind::ApplicationView},
      {u"PSViewC", ScrollKind::ApplicationView},
      {u"EditControl", ScrollKind::ApplicationView},
      {u"FrontPageEditorDocumentView", ScrollKind::ApplicationView},
      {u"AVL_AVView", ScrollKind::ApplicationView},
      {u"OGrid", ScrollKind::ApplicationView},
      {u"OFormSub", ScrollKind::ApplicationView},
      {u"OPrtPrevPage", ScrollKind::ApplicationView},
      {u"EXCEL7", ScrollKind::SpreadsheetGrid},
      {u"MozillaWindowClass", ScrollKind::Browser},
      {u"Chrome_RenderWidgetHostHWND", ScrollKind::Browser},
      {u"OperaWindowClass", ScrollKind::Browser},
      {u"Internet Explorer_Server", ScrollKind::Plain},
      {u"excel7", ScrollKind::Plain},
      {u"_WwG ", ScrollKind::Plain},
      {u"Edit", ScrollKind::Plain},
      {u"", ScrollKind::Plain},
  };
  for (const auto& c : cases)
    EXPECT_EQ(actions::ClassifyScrollWindow(c.className), c.kind) << platform::NarrowAscii(c.className);
}

class HorizontalScrollTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;

  // A top-level frame filling the left of the screen, with the cursor in it.
  WindowHandle Frame(const std::u16string& className = u"Frame") {
    desktop.cursor = {200, 150};
    return desktop.AddWindow(kDesktop, className, {0, 0, 600, 400});
  }
  Lines Repeat(const Lines& lines, int times) {
    Lines all;
    for (int i = 0; i < times; ++i) all.insert(all.end(), lines.begin(), lines.end());
    return all;
  }
};

TEST_F(HorizontalScrollTest, NothingHappensOverTheDesktopOrItsIcons) {
  desktop.cursor = {900, 900};  // no window there: the desktop window itself
  actions::HorizontalScroll(3);
  EXPECT_TRUE(desktop.log.empty());

  const WindowHandle progman = desktop.AddWindow(kDesktop, u"Progman", {0, 0, 1280, 1024});
  const WindowHandle view = desktop.AddWindow(progman, u"SHELLDLL_DefView", {0, 0, 1280, 1024});
  desktop.AddWindow(view, u"SysListView32", {0, 0, 1280, 1024}, kStyleHScroll);
  desktop.cursor = {100, 100};
  actions::HorizontalScroll(3);
  actions::HorizontalScroll(-3);
  EXPECT_TRUE(desktop.log.empty());
}

TEST_F(HorizontalScrollTest, AListViewOutsideTheDesktopScrollsAsAPlainWindow) {
  const WindowHandle frame = Frame();
  const WindowHandle list = desktop.AddWindow(frame, u"SysListView32", {0, 0, 600, 400}, kStyleHScroll);
  actions::HorizontalScroll(1);
  EXPECT_EQ(desktop.log, (Lines{PostLine(list, kMsgHScroll, 0, 0)}));
}

TEST_F(HorizontalScrollTest, BrowsersGetArrowKeysPostedWithoutAnySearch) {
  const WindowHandle frame = Frame(u"Chrome_WidgetWin_1");
  const WindowHandle page = desktop.AddWindow(frame, u"Chrome_RenderWidgetHostHWND", {0, 0, 600, 400});
  actions::HorizontalScroll(3);
  EXPECT_EQ(desktop.log,
            Repeat({PostLine(page, kMsgKeyDown, 0x25, 0x014B0001), PostLine(page, kMsgKeyUp, 0x25, 0xC14B0001)}, 3));
  desktop.Clear();
  actions::HorizontalScroll(-3);
  EXPECT_EQ(desktop.log,
            Repeat({PostLine(page, kMsgKeyDown, 0x27, 0x014D0001), PostLine(page, kMsgKeyUp, 0x27, 0xC14D0001)}, 3));
}

TEST_F(HorizontalScrollTest, ApplicationViewsGetScrollMessagesThroughTheirBarsOwner) {
  const WindowHandle frame = Frame(u"OpusApp");
  const WindowHandle view = desktop.AddWindow(frame, u"_WwG", {0, 0, 600, 380});
  const WindowHandle bar = desktop.AddWindow(frame, u"ScrollBar", {0, 380, 600, 400});
  actions::HorizontalScroll(3);
  EXPECT_EQ(desktop.log, Repeat({PostLine(frame, kMsgHScroll, 0, static_cast<intptr_t>(bar))}, 3));
  desktop.Clear();
  actions::HorizontalScroll(-2);
  EXPECT_EQ(desktop.log, Repeat({PostLine(frame, kMsgHScroll, 1, static_cast<intptr_t>(bar))}, 2));
  (void)view;
}

TEST_F(HorizontalScrollTest, SpreadsheetGridsAreClickedAtTheBarsArrowEndAndTheCursorComesBack) {
  const WindowHandle frame = Frame(u"XLDESK");
  desktop.AddWindow(frame, u"EXCEL7", {0, 0, 600, 380});
  desktop.AddWindow(frame, u"ScrollBar", {100, 380, 500, 396});
  struct Case {
    int n;
    bool swapped;
    Lines expected;
  };
  const Case cases[] = {
      {3, false,
       {CursorLine({105, 385}), MouseLine(0x8002, 0, 105, 385), MouseLine(0x8004, 0, 105, 385),
        MouseLine(0x8002, 0, 105, 385), MouseLine(0x8004, 0, 105, 385), MouseLine(0x8002, 0, 105, 385),
        MouseLine(0x8004, 0, 105, 385), CursorLine({200, 150})}},
      {-1, false, {CursorLine({495, 385}), MouseLine(0x8002, 0, 495, 385), MouseLine(0x8004, 0, 495, 385),
                   CursorLine({200, 150})}},
      {1, true, {CursorLine({105, 385}), MouseLine(0x8008, 0, 105, 385), MouseLine(0x8010, 0, 105, 385),
                 CursorLine({200, 150})}},
  };
  for (const Case& c : cases) {
    desktop.Clear();
    desktop.cursor = {200, 150};
    desktop.buttonsSwapped = c.swapped;
    desktop.extraInfo = 0x77;  // the clicks carry none
    actions::HorizontalScroll(c.n);
    EXPECT_EQ(desktop.log, c.expected) << "n " << c.n << " swapped " << c.swapped;
  }
}

TEST_F(HorizontalScrollTest, PlainWindowsWithTheScrollStyleGetPostedLeftAndSentRight) {
  const WindowHandle frame = Frame();
  const WindowHandle edit = desktop.AddWindow(frame, u"Edit", {0, 0, 600, 400}, kStyleHScroll);
  actions::HorizontalScroll(3);
  EXPECT_EQ(desktop.log, Repeat({PostLine(edit, kMsgHScroll, 0, 0)}, 3));
  desktop.Clear();
  actions::HorizontalScroll(-3);
  EXPECT_EQ(desktop.log, Repeat({SendLine(edit, kMsgHScroll, 1, 0)}, 3));
  desktop.Clear();
  actions::HorizontalScroll(0);
  EXPECT_TRUE(desktop.log.empty());
}

TEST_F(HorizontalScrollTest, PlainWindowsScrollThemselvesEvenWhenTheBarFoundIsASibling) {
  const WindowHandle frame = Frame();
  const WindowHandle pane = desktop.AddWindow(frame, u"Pane", {0, 0, 600, 380});
  desktop.AddWindow(frame, u"ScrollBar", {0, 380, 600, 400});
  actions::HorizontalScroll(1);
  EXPECT_EQ(desktop.log, (Lines{PostLine(pane, kMsgHScroll, 0, 0)}));
}

TEST_F(HorizontalScrollTest, WithoutAScrollBarOnlyTheDebuggerHearsOfIt) {
  const WindowHandle frame = Frame();
  const WindowHandle pane = desktop.AddWindow(frame, u"Pane", {0, 0, 580, 400});
  // Bars that do not qualify: a vertical one, and one ending left of the cursor.
  desktop.AddWindow(frame, u"ScrollBar", {580, 0, 600, 400});
  desktop.AddWindow(frame, u"ScrollBar", {0, 380, 200, 400});
  for (int n : {3, -3}) {
    desktop.Clear();
    actions::HorizontalScroll(n);
    EXPECT_EQ(desktop.log, (Lines{"debug No scroll bar found\n"}));
  }
  (void)pane;
}

TEST_F(HorizontalScrollTest, ViewsWithBarsElsewhereTakeTheFirstBarWithinTwentyFivePixelsOfTheirSpan) {
  // The view spans x 100 to 400; its parent holds bars nested in containers,
  // so only the span search can find them.
  const WindowHandle frame = Frame(u"PPTFrameClass");
  const WindowHandle view = desktop.AddWindow(frame, u"paneClassDC", {100, 0, 400, 380});
  const WindowHandle box1 = desktop.AddWindow(frame, u"Container", {0, 380, 600, 400});
  desktop.AddWindow(box1, u"ScrollBar", {74, 380, 300, 396});    // 26 px left of the span
  desktop.AddWindow(box1, u"ScrollBar", {200, 380, 426, 396});   // 26 px right of it
  desktop.AddWindow(box1, u"ScrollBar", {120, 380, 140, 396});   // ends left of the cursor
  const WindowHandle box2 = desktop.AddWindow(frame, u"Container", {0, 396, 600, 400});
  const WindowHandle fits = desktop.AddWindow(box2, u"NUIScrollbar", {75, 396, 425, 412});  // exactly 25 px out
  desktop.cursor = {200, 150};
  actions::HorizontalScroll(1);
  EXPECT_EQ(desktop.log, (Lines{PostLine(box2, kMsgHScroll, 0, static_cast<intptr_t>(fits))}));
  (void)view;

  // Other classes do not look that far.
  desktop.At(view).className = u"OGrid";
  desktop.Clear();
  actions::HorizontalScroll(1);
  EXPECT_EQ(desktop.log, (Lines{"debug No scroll bar found\n"}));
}

TEST_F(HorizontalScrollTest, EmbeddedBrowserDocumentsScrollThroughTheAccessibilityLibrary) {
  const WindowHandle frame = Frame(u"IEFrame");
  const WindowHandle server = desktop.AddWindow(frame, u"Internet Explorer_Server", {0, 0, 600, 400});
  desktop.libraryFiles[u"OLEACC.DLL"] = 0xACC;
  const std::string scrollLeft = "scroll document " + fakes::Hex(server) + " -10 with ACC";
  const std::string scrollRight = "scroll document " + fakes::Hex(server) + " 10 with ACC";
  const Lines step = {"com init", "load OLEACC.DLL", scrollLeft, "free ACC", "com uninit"};
  desktop.documentScroll = platform::DocumentScroll::Scrolled;
  actions::HorizontalScroll(3);
  EXPECT_EQ(desktop.log, Repeat(step, 3));
  EXPECT_EQ(desktop.LoadedReferences(0xACC), 0);
  EXPECT_EQ(desktop.ComBalance(), 0);

  // A document that refuses to scroll gets a scroll message instead.
  desktop.Clear();
  desktop.documentScroll = platform::DocumentScroll::Refused;
  actions::HorizontalScroll(-1);
  EXPECT_EQ(desktop.log, (Lines{"com init", "load OLEACC.DLL", scrollRight, SendLine(server, kMsgHScroll, 1, 0),
                                "free ACC", "com uninit"}));

  // No document: nothing more.
  desktop.Clear();
  desktop.documentScroll = platform::DocumentScroll::NoDocument;
  actions::HorizontalScroll(1);
  EXPECT_EQ(desktop.log, step);

  // Without the library, or with the component library refusing.
  desktop.libraryFiles.clear();
  desktop.comInitializes = false;
  desktop.Clear();
  actions::HorizontalScroll(1);
  EXPECT_EQ(desktop.log, (Lines{"com init", "load OLEACC.DLL"}));
}

class FindScrollTargetTest : public HorizontalScrollTest {
 protected:
  CFindScrollBar finder;
  void SetUp() override { finder.scrollCursor = {200, 150}; }
};

TEST_F(FindScrollTargetTest, AViewersScrollBarContainerYieldsItsHorizontalBar) {
  const WindowHandle frame = Frame(u"AVL_AVFrame");
  const WindowHandle view = desktop.AddWindow(frame, u"AVL_AVView", {0, 0, 580, 380});
  const WindowHandle vertical = desktop.AddWindow(frame, u"AVL_AVScrollBar", {580, 0, 600, 380});
  desktop.AddWindow(vertical, u"ScrollBar", {580, 0, 600, 380}, platform::kScrollBarVertical);
  const WindowHandle horizontal = desktop.AddWindow(frame, u"AVL_AVScrollBar", {0, 380, 580, 400});
  const WindowHandle bar = desktop.AddWindow(horizontal, u"ScrollBar", {0, 380, 580, 400});
  EXPECT_EQ(actions::FindScrollTarget(finder, view), bar);

  // A size box is no bar either.
  desktop.At(bar).style = platform::kScrollBarSizeBox;
  EXPECT_EQ(actions::FindScrollTarget(finder, view), 0u);
}

TEST_F(FindScrollTargetTest, SiblingsAfterTheViewComeBeforeSiblingsBeforeIt) {
  const WindowHandle frame = Frame();
  const WindowHandle before = desktop.AddWindow(frame, u"ScrollBar", {0, 0, 600, 10});
  const WindowHandle view = desktop.AddWindow(frame, u"View", {0, 10, 600, 380});
  const WindowHandle after = desktop.AddWindow(frame, u"NUIScrollbar", {0, 380, 600, 400});
  EXPECT_EQ(actions::FindScrollTarget(finder, view), after);
  desktop.At(after).className = u"Other";
  EXPECT_EQ(actions::FindScrollTarget(finder, view), before);
}

TEST_F(FindScrollTargetTest, OlderFrameworkFramesBeforeTheViewAreSearchedOneLevelDown) {
  const WindowHandle frame = Frame();
  const WindowHandle afx = desktop.AddWindow(frame, u"AfxWnd42", {0, 380, 600, 400});
  const WindowHandle bar = desktop.AddWindow(afx, u"ScrollBar", {0, 380, 600, 400});
  const WindowHandle view = desktop.AddWindow(frame, u"View", {0, 0, 600, 380});
  EXPECT_EQ(actions::FindScrollTarget(finder, view), bar);
  desktop.At(afx).className = u"AfxWnd70";
  EXPECT_EQ(actions::FindScrollTarget(finder, view), bar);
  desktop.At(afx).className = u"AfxWnd80";
  EXPECT_EQ(actions::FindScrollTarget(finder, view), 0u);
}

TEST_F(FindScrollTargetTest, TheChildUnderTheCursorDecidesWhereToLook) {
  // A window whose child under the cursor is a browser frame: its parent
  // serves as the target.
  const WindowHandle frame = Frame();
  const WindowHandle gecko = desktop.AddWindow(frame, u"MozillaWindowClass", {0, 0, 600, 400});
  EXPECT_EQ(actions::FindScrollTarget(finder, frame), frame);
  (void)gecko;
}

TEST_F(FindScrollTargetTest, DirectUiViewsSearchTheirFirstTwoChildren) {
  const WindowHandle frame = Frame();
  const WindowHandle ui = desktop.AddWindow(frame, u"DirectUIHWND", {0, 0, 600, 400});
  const WindowHandle first = desktop.AddWindow(ui, u"CtrlNotifySink", {0, 0, 10, 10});
  desktop.AddWindow(first, u"Label", {0, 0, 10, 10});
  const WindowHandle second = desktop.AddWindow(ui, u"CtrlNotifySink", {10, 0, 20, 10});
  const WindowHandle bar = desktop.AddWindow(second, u"ScrollBar", {0, 390, 600, 400});
  // The cursor lies on the view, outside its small children.
  EXPECT_EQ(actions::FindScrollTarget(finder, frame), bar);
}

TEST_F(FindScrollTargetTest, AScrollBarUnderTheCursorIsTakenOnlyWhenItIsHorizontal) {
  const WindowHandle frame = Frame();
  const WindowHandle bar = desktop.AddWindow(frame, u"ScrollBar", {0, 140, 600, 160});
  desktop.AddWindow(frame, u"ScrollBar", {0, 380, 600, 400});
  EXPECT_EQ(actions::FindScrollTarget(finder, frame), bar);
  // A vertical bar under the cursor: its siblings are not searched.
  desktop.At(bar).rect = {190, 0, 210, 380};
  EXPECT_EQ(actions::FindScrollTarget(finder, frame), 0u);
}

TEST_F(FindScrollTargetTest, TheDesktopAndNoWindowHaveNoTarget) {
  EXPECT_EQ(actions::FindScrollTarget(finder, 0), 0u);
  EXPECT_EQ(actions::FindScrollTarget(finder, kDesktop), 0u);
}

}  // namespace
