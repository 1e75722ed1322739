// The skinned message dialog: its results, keys that must not answer it,
// its layout on the message skin and where its two texts go.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "UiTestSupport.h"
#include "platform/win32/WideString.h"
#include "text/LabelTable.h"
#include "ui/dialogs/DlgRestore.h"

namespace {

using uitest::ModalScript;

// Where the dialog writes its two texts.
constexpr RECT kTitleArea = {10, 7, 154, 27};
constexpr RECT kMessageArea = {85, 60, 335, 148};

class MessageDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_ok"), u"OK");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_cancel"), u"Cancel");
  }
  void TearDown() override { LabelTable::Instance().Clear(); }
};

TEST_F(MessageDialog, OnlyTheOkButtonGivesOk) {
  struct Case {
    const char* name;
    std::function<void(ui::CDlgRestore&)> act;
    INT_PTR result;
  };
  const Case cases[] = {
      {"OK", [](ui::CDlgRestore& d) { uitest::Click(d.OkButton()); }, IDOK},
      {"Cancel", [](ui::CDlgRestore& d) { uitest::Click(d.CancelButton()); }, IDCANCEL},
      {"close button", [](ui::CDlgRestore& d) { uitest::Click(d.CloseButton()); }, IDCANCEL},
      {"window closed", [](ui::CDlgRestore& d) { PostMessageW(d.Handle(), WM_CLOSE, 0, 0); }, IDCANCEL},
  };
  for (const Case& c : cases) {
    ui::CDlgRestore dialog;
    dialog.SetTitle(u"Restore");
    dialog.SetMessage(u"Restore the default settings?");
    ModalScript script(dialog, {[&] { c.act(dialog); }});
    EXPECT_EQ(script.Run(), c.result) << c.name;
  }
}

TEST_F(MessageDialog, EnterEscapeAndSpaceDoNotAnswerIt) {
  ui::CDlgRestore dialog;
  bool openAfterKeys = false;
  ModalScript script(dialog, {[&] {
                                SetFocus(dialog.OkButton());
                                uitest::PostKey(dialog.OkButton(), VK_SPACE);
                                uitest::PostKey(dialog.OkButton(), VK_RETURN);
                                uitest::PostKey(dialog.Handle(), VK_RETURN);
                                uitest::PostKey(dialog.Handle(), VK_ESCAPE);
                              },
                              [&] { openAfterKeys = IsWindowVisible(dialog.Handle()) && dialog.IsModal(); },
                              [&] { uitest::Click(dialog.CancelButton()); }});
  EXPECT_EQ(script.Run(), IDCANCEL);
  EXPECT_TRUE(openAfterKeys);
}

TEST_F(MessageDialog, APressOnItsSurfaceDragsIt) {
  ui::CDlgRestore dialog;
  MSG drag = {};
  POINT expected = {40, 70};
  ModalScript script(dialog, {[&] {
    ClientToScreen(dialog.Handle(), &expected);
    SendMessageW(dialog.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 70));
    // Taken off the queue here: handled, it would start moving the window.
    PeekMessageW(&drag, dialog.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE);
    uitest::Click(dialog.CancelButton());
  }});
  script.Run();
  EXPECT_EQ(drag.message, static_cast<UINT>(WM_NCLBUTTONDOWN));
  EXPECT_EQ(drag.wParam, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(static_cast<short>(LOWORD(drag.lParam)), expected.x);
  EXPECT_EQ(static_cast<short>(HIWORD(drag.lParam)), expected.y);
}

TEST_F(MessageDialog, TakesTheSkinsSizeInTheMiddleOfTheWorkAreaWithItsButtons) {
  ui::CDlgRestore dialog;
  RECT window = {}, ok = {}, cancel = {}, close = {};
  auto place = [&](HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  ModalScript script(dialog, {[&] {
    GetWindowRect(dialog.Handle(), &window);
    ok = place(dialog.OkButton());
    cancel = place(dialog.CancelButton());
    close = place(dialog.CloseButton());
    uitest::Click(dialog.CancelButton());
  }});
  script.Run();
  EXPECT_EQ(window.right - window.left, 351);
  EXPECT_EQ(window.bottom - window.top, 141);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 351) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYFULLSCREEN) - 141) / 2);
  const RECT expectedOk = {188, 100, 250, 130}, expectedCancel = {266, 100, 322, 130},
             expectedClose = {320, 5, 340, 22};
  EXPECT_TRUE(EqualRect(&ok, &expectedOk));
  EXPECT_TRUE(EqualRect(&cancel, &expectedCancel));
  EXPECT_TRUE(EqualRect(&close, &expectedClose));
}

// The dialog as painted with the given texts.
void Capture(const std::u16string& title, const std::u16string& message, uitest::Canvas& canvas) {
  ui::CDlgRestore dialog;
  dialog.SetTitle(title);
  dialog.SetMessage(message);
  ModalScript script(dialog, {[&] {
    uitest::CaptureWindow(dialog.Handle(), canvas);
    uitest::Click(dialog.CancelButton());
  }});
  script.Run();
}

// Pixels that differ between two captures, and how many of them lie outside
// all of `areas`.
struct Difference {
  int count = 0;
  int outside = 0;
};
Difference Compare(const uitest::Canvas& a, const uitest::Canvas& b, std::initializer_list<RECT> areas) {
  Difference difference;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Pixel(x, y) == b.Pixel(x, y)) continue;
      ++difference.count;
      bool inside = false;
      for (const RECT& area : areas) inside = inside || PtInRect(&area, POINT{x, y});
      if (!inside) ++difference.outside;
    }
  return difference;
}

TEST_F(MessageDialog, TheTextsGoIntoTheirRectanglesAndALongMessageIsCut) {
  uitest::Canvas empty(351, 141), titled(351, 141), messaged(351, 141), longMessage(351, 141);
  Capture(u"", u"", empty);
  // With both texts empty only the skin and the buttons show.
  ui::Picture skin = ui::LoadPngResource(151);
  uitest::Canvas bare(351, 141);
  skin.Draw(bare.Dc(), 0, 0, 351, 141);
  EXPECT_EQ(Compare(bare, empty, {RECT{188, 100, 250, 130}, RECT{266, 100, 322, 130}, RECT{320, 5, 340, 22}})
                .outside,
            0);

  Capture(u"Tips", u"", titled);
  const Difference title = Compare(empty, titled, {kTitleArea});
  EXPECT_GT(title.count, 20);
  EXPECT_EQ(title.outside, 0);

  Capture(u"", u"No Varnok wireless device connected. Application will close now.", messaged);
  const Difference message = Compare(empty, messaged, {kMessageArea});
  EXPECT_GT(message.count, 200);
  EXPECT_EQ(message.outside, 0);

  std::u16string text;
  for (int i = 0; i < 30; ++i) text += u"A message much longer than its rectangle. ";
  Capture(u"", text, longMessage);
  const Difference cut = Compare(empty, longMessage, {kMessageArea});
  EXPECT_GT(cut.count, message.count);
  EXPECT_EQ(cut.outside, 0);
}

}  // namespace
