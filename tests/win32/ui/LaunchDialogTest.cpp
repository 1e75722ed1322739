// The program-launch dialog on the program's skin: its layout and results,
// the window text by which the program's exit finds and closes it, the file
// name it shows, and a long name kept to one line.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "UiTestSupport.h"
#include "text/LabelTable.h"
#include "ui/buttons/SkinButton.h"
#include "ui/dialogs/DlgAutoStart.h"

namespace {

using uitest::ModalScript;
using uitest::PlaceIn;

const std::u16string kOpenedWith = u"C:\\Program Files\\Tools\\app.exe";

class LaunchDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_ok"), u"OK");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_cancel"), u"Cancel");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_auto_brower"), u"Browse");
  }
  void TearDown() override { LabelTable::Instance().Clear(); }
};

TEST_F(LaunchDialog, TakesTheSkinsSizeInTheMiddleOfTheWorkAreaWithItsButtonsAndName) {
  ui::CDlgAutoStart dialog(nullptr, kOpenedWith);
  RECT window = {}, ok = {}, cancel = {}, close = {}, browse = {};
  wchar_t text[32] = {};
  std::u16string browseCaption;
  ModalScript script(dialog, {[&] {
    GetWindowRect(dialog.Handle(), &window);
    ok = PlaceIn(dialog.Handle(), dialog.OkButton());
    cancel = PlaceIn(dialog.Handle(), dialog.CancelButton());
    close = PlaceIn(dialog.Handle(), dialog.CloseButton());
    browse = PlaceIn(dialog.Handle(), dialog.BrowseButton());
    GetWindowTextW(dialog.Handle(), text, 32);
    if (auto* button = dynamic_cast<ui::SkinButton*>(ui::Window::FromHandle(dialog.BrowseButton())))
      browseCaption = button->Text();
    uitest::Click(dialog.CancelButton());
  }});
  script.Run();
  EXPECT_EQ(window.right - window.left, 351);
  EXPECT_EQ(window.bottom - window.top, 141);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 351) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYFULLSCREEN) - 141) / 2);
  const RECT expectedOk = {188, 100, 250, 130}, expectedCancel = {266, 100, 322, 130},
             expectedClose = {320, 5, 340, 22}, expectedBrowse = {224, 63, 325, 88};
  EXPECT_TRUE(EqualRect(&ok, &expectedOk));
  EXPECT_TRUE(EqualRect(&cancel, &expectedCancel));
  EXPECT_TRUE(EqualRect(&close, &expectedClose));
  EXPECT_TRUE(EqualRect(&browse, &expectedBrowse));
  EXPECT_EQ(std::wstring(text), L"CDlgAutoStart");
  EXPECT_TRUE(browseCaption == u"Browse...");
}

TEST_F(LaunchDialog, ShowsTheFileNameAndGivesThePathBack) {
  struct Case {
    const char* name;
    std::function<void(ui::CDlgAutoStart&)> act;
    INT_PTR result;
  };
  const Case cases[] = {
      {"OK", [](ui::CDlgAutoStart& d) { uitest::Click(d.OkButton()); }, IDOK},
      {"Cancel", [](ui::CDlgAutoStart& d) { uitest::Click(d.CancelButton()); }, IDCANCEL},
      {"close button", [](ui::CDlgAutoStart& d) { uitest::Click(d.CloseButton()); }, IDCANCEL},
      // What the main window does to open editors when the program ends.
      {"closed by name",
       [](ui::CDlgAutoStart&) { PostMessageW(FindWindowW(nullptr, L"CDlgAutoStart"), WM_CLOSE, 0, 0); }, IDCANCEL},
  };
  for (const Case& c : cases) {
    ui::CDlgAutoStart dialog(nullptr, kOpenedWith);
    ModalScript script(dialog, {[&] { c.act(dialog); }});
    EXPECT_EQ(script.Run(), c.result) << c.name;
    EXPECT_TRUE(dialog.Path() == kOpenedWith) << c.name;
    EXPECT_TRUE(dialog.FileName() == u"app.exe") << c.name;
  }
  ui::CDlgAutoStart none(nullptr, u"");
  ModalScript script(none, {[&] { uitest::Click(none.OkButton()); }});
  EXPECT_EQ(script.Run(), IDOK);
  EXPECT_TRUE(none.Path().empty());
  EXPECT_TRUE(none.FileName().empty());
}

// The rows and columns (first, last) where the capture differs from `base`.
struct Ink {
  int top = 1000, bottom = -1, left = 1000, right = -1;
};
Ink InkBetween(const uitest::Canvas& base, const uitest::Canvas& drawn) {
  Ink ink;
  for (int y = 0; y < base.Height(); ++y)
    for (int x = 0; x < base.Width(); ++x) {
      if (base.Pixel(x, y) == drawn.Pixel(x, y)) continue;
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
    }
  return ink;
}

void Capture(const std::u16string& path, uitest::Canvas& canvas) {
  ui::CDlgAutoStart dialog(nullptr, path);
  ModalScript script(dialog, {[&] {
    uitest::CaptureWindow(dialog.Handle(), canvas);
    uitest::Click(dialog.CancelButton());
  }});
  script.Run();
}

TEST_F(LaunchDialog, TheFileNameIsCentredOnOneLineAndALongOneEndsInAnEllipsis) {
  uitest::Canvas empty(351, 141), shortName(351, 141), longName(351, 141);
  Capture(u"", empty);
  Capture(kOpenedWith, shortName);
  Capture(u"C:\\Tools\\a program with a very long name indeed that cannot fit.exe", longName);
  // The name's rectangle is (24, 64)-(210, 86), its middle at x = 117.
  const Ink small = InkBetween(empty, shortName);
  ASSERT_GE(small.right, 0) << "no file name drawn";
  EXPECT_GE(small.top, 64);
  EXPECT_LE(small.bottom, 86);
  EXPECT_LE(std::abs((small.left + small.right) / 2 - 117), 2);
  const Ink large = InkBetween(empty, longName);
  ASSERT_GE(large.right, 0) << "no file name drawn";
  // One line: no higher than the short name's, and inside the rectangle.
  EXPECT_GE(large.top, 64);
  EXPECT_LE(large.bottom - large.top, small.bottom - small.top + 4);
  EXPECT_GE(large.left, 24);
  EXPECT_LE(large.right, 210);
  EXPECT_GT(large.right - large.left, 150) << "a long name fills the line";
  // The line ends in three dots: at its right end, three small blobs on
  // the base line of the last column's ink and nothing above them.
  auto inked = [&](int x, int y) { return empty.Pixel(x, y) != longName.Pixel(x, y); };
  int baseRow = large.bottom;
  while (baseRow > large.top && !inked(large.right, baseRow)) --baseRow;
  int blobs = 0, inkAbove = 0;
  bool inBlob = false;
  for (int x = large.right - 10; x <= large.right; ++x) {
    const bool dot = inked(x, baseRow) || inked(x, baseRow - 1);
    if (dot && !inBlob) ++blobs;
    inBlob = dot;
    for (int y = large.top; y < baseRow - 2; ++y) inkAbove += inked(x, y) ? 1 : 0;
  }
  EXPECT_EQ(blobs, 3) << "the long name does not end in an ellipsis";
  EXPECT_EQ(inkAbove, 0) << "the long name does not end in an ellipsis";
}

}  // namespace
