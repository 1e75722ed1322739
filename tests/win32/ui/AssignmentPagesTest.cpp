// The assignment pages on the sample models' own skins: labels and marks at
// the rectangles of each model's description, the extra ones hidden on a
// smaller model, the mark lit while its label is under the pointer, a pick
// written into the working copy and shown at once, the reset, the keyboard's
// changed keys, and no GDI objects left behind by model switches.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "codes/PrivateMessages.h"
#include "config/DeviceCatalogue.h"
#include "config/PageAssignments.h"
#include "config/SettingsStore.h"
#include "fakes/ConfigFixtures.h"
#include "text/LabelTable.h"
#include "ui/pages/DlgKeyBoard.h"
#include "ui/pages/DlgMouse.h"
#include "ui/window/Picture.h"

namespace {

std::u16string ProgramFolder() {
  const std::string folder = VN24G_DIST_DIR;
  return std::u16string(folder.begin(), folder.end()) + u"\\";
}

config::tagVARNOK24G_UI_INFORMATION ReadModel(const std::u16string& name) {
  config::tagVARNOK24G_UI_INFORMATION device{};
  EXPECT_TRUE(config::ReadDeviceDescription(ProgramFolder() + u"skins\\" + name + u"\\DeviceSkn.xml", device));
  return device;
}

RECT ChildRect(HWND child) { return uitest::PlaceIn(GetParent(child), child); }

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class AssignmentPages : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_config::ResetConfiguration();
    for (auto [key, text] : {std::pair{"tc_click", u"Left click"}, std::pair{"tc_menu", u"Right click"},
                             std::pair{"tc_back", u"Back"}, std::pair{"tc_copy", u"Copy"},
                             std::pair{"tc_kbmedia_search", u"Search"}})
      LabelTable::Instance().Set(LabelTable::IndexOf(key), text);
    ASSERT_TRUE(host_.Create(0, u"main window", WS_POPUP | WS_VISIBLE, RECT{0, 0, 721, 441}, nullptr));
    SetForegroundWindow(host_.Handle());
  }
  void TearDown() override {
    host_.Destroy();
    LabelTable::Instance().Clear();
    testing_config::ResetConfiguration();
  }

  // `name` becomes the current model with every button on its own function.
  void MakeCurrent(const std::u16string& name) {
    config::CurrentDevice = ReadModel(name);
    config::ActiveSettings = {};
    config::ActiveSettings.deviceType = config::CurrentDevice.deviceType;
    config::RestoreMousePageDefaults(config::ActiveSettings, config::CurrentDevice);
    config::RestoreKeyboardPageDefaults(config::ActiveSettings, config::CurrentDevice);
    config::WorkingSettings = config::ActiveSettings;
  }

  // What the main window does on a model switch.
  void SwitchTo(ui::AssignmentPageWindow& page, const std::u16string& name, const char16_t* stem) {
    MakeCurrent(name);
    const std::u16string folder = ProgramFolder() + u"skins\\" + name + u"\\" + stem;
    ui::Bitmap normal, over, down;
    SIZE size = {}, ignored = {};
    ui::LoadBitmapFile(folder + u"_Normal.bmp", normal, size);
    ui::LoadBitmapFile(folder + u"_Over.bmp", over, ignored);
    ui::LoadBitmapFile(folder + u"_Down.bmp", down, ignored);
    page.ReloadPictures(normal.Get(), over.Get(), down.Get(), RECT{0, 0, size.cx, size.cy});
    page.RelayoutForDevice();
    page.RefreshLabels(config::ActiveSettings);
  }

  void Open(ui::AssignmentPageWindow& page) {
    ASSERT_TRUE(page.Open([this] { ++dropDownCloses_; }));
    SetWindowPos(page.Handle(), nullptr, 48, 118, 621, 220, SWP_NOZORDER | SWP_SHOWWINDOW);
    uitest::PumpPending();
  }

  ui::Window host_;
  int dropDownCloses_ = 0;
};

struct Placement {
  std::size_t index;
  RECT label;
  RECT mark;
};

TEST_F(AssignmentPages, LabelsAndMarksSitAtTheModelsRectanglesAndExtraOnesHideOnASmallerModel) {
  MakeCurrent(u"Varnok Glide M5");
  ui::CDlgMouse page(host_.Handle(), ProgramFolder());
  Open(page);
  ASSERT_EQ(page.ButtonCount(), 11);
  // From the Glide's description.
  for (const Placement& p : {Placement{0, {24, 46, 184, 70}, {247, 10, 288, 98}},
                             Placement{4, {24, 148, 184, 172}, {236, 140, 250, 166}},
                             Placement{10, {436, 182, 596, 206}, {370, 140, 384, 166}}}) {
    EXPECT_TRUE(Same(ChildRect(page.LabelButton(p.index).Handle()), p.label)) << "Glide label " << p.index;
    EXPECT_TRUE(Same(ChildRect(page.MarkButton(p.index).Handle()), p.mark)) << "Glide mark " << p.index;
  }
  EXPECT_EQ(page.LabelButton(4).Text(), u"Back");
  const SIZE picture = page.Pictures().Size();
  EXPECT_EQ(picture.cx, 621);
  EXPECT_EQ(picture.cy, 220);

  SwitchTo(page, u"Varnok Duo S8", u"Mouse");
  ASSERT_EQ(page.ButtonCount(), 7);
  // From the Duo's description.
  for (const Placement& p : {Placement{0, {24, 40, 184, 64}, {250, 14, 290, 100}},
                             Placement{6, {436, 136, 596, 160}, {303, 72, 317, 84}}}) {
    EXPECT_TRUE(Same(ChildRect(page.LabelButton(p.index).Handle()), p.label)) << "Duo label " << p.index;
    EXPECT_TRUE(Same(ChildRect(page.MarkButton(p.index).Handle()), p.mark)) << "Duo mark " << p.index;
    EXPECT_TRUE(IsWindowVisible(page.LabelButton(p.index).Handle()));
  }
  for (std::size_t i = 7; i < 11; ++i) {
    EXPECT_FALSE(IsWindowVisible(page.LabelButton(i).Handle())) << "label " << i;
    EXPECT_FALSE(IsWindowVisible(page.MarkButton(i).Handle())) << "mark " << i;
  }

  // Back to the larger model: the hidden ones come back at its rectangles.
  SwitchTo(page, u"Varnok Glide M5", u"Mouse");
  EXPECT_TRUE(IsWindowVisible(page.LabelButton(10).Handle()));
  EXPECT_TRUE(Same(ChildRect(page.LabelButton(10).Handle()), RECT{436, 182, 596, 206}));
}

TEST_F(AssignmentPages, AModelWithoutButtonsShowsNoLabels) {
  MakeCurrent(u"Varnok Glide M5");
  ui::CDlgMouse page(host_.Handle(), ProgramFolder());
  Open(page);
  ASSERT_EQ(page.ButtonCount(), 11);

  // A description that lists no mouse buttons, after one that did.
  config::CurrentDevice.mouseButtonCount = 0;
  page.RelayoutForDevice();
  page.RefreshLabels(config::ActiveSettings);
  EXPECT_EQ(page.ButtonCount(), 0);
  for (std::size_t i = 0; i < 11; ++i) {
    EXPECT_FALSE(IsWindowVisible(page.LabelButton(i).Handle())) << "label " << i;
    EXPECT_FALSE(IsWindowVisible(page.MarkButton(i).Handle())) << "mark " << i;
  }

  // A model with buttons again shows its own.
  SwitchTo(page, u"Varnok Duo S8", u"Mouse");
  EXPECT_EQ(page.ButtonCount(), 7);
  EXPECT_TRUE(IsWindowVisible(page.LabelButton(6).Handle()));
  EXPECT_FALSE(IsWindowVisible(page.LabelButton(7).Handle()));
}

TEST_F(AssignmentPages, AMarkLightsOnlyWhileItsLabelIsUnderThePointer) {
  MakeCurrent(u"Varnok Glide M5");
  ui::CDlgMouse page(host_.Handle(), ProgramFolder());
  Open(page);
  RECT label = {};
  GetWindowRect(page.LabelButton(1).Handle(), &label);
  SetForegroundWindow(host_.Handle());
  SetCursorPos((label.left + label.right) / 2, (label.top + label.bottom) / 2);
  // The page looks at the pointer now and then; each look sets every mark.
  ASSERT_TRUE(uitest::PumpUntil([&] { return page.MarkButton(1).Checked(); }));
  for (std::size_t i = 0; i < 11; ++i) EXPECT_EQ(page.MarkButton(i).Checked(), i == 1) << "mark " << i;

  SetCursorPos(label.left - 20, label.bottom + 30);
  EXPECT_TRUE(uitest::PumpUntil([&] { return !page.MarkButton(1).Checked(); }));

  // Another window in front: the pointer on the label lights nothing. The
  // mark of the label the pointer left going out shows that the page has
  // looked since.
  RECT second = {};
  GetWindowRect(page.LabelButton(2).Handle(), &second);
  SetCursorPos((second.left + second.right) / 2, (second.top + second.bottom) / 2);
  ASSERT_TRUE(uitest::PumpUntil([&] { return page.MarkButton(2).Checked(); }));
  ui::Window other;
  ASSERT_TRUE(other.Create(0, u"another program", WS_POPUP | WS_VISIBLE, RECT{900, 700, 960, 740}, nullptr));
  SetForegroundWindow(other.Handle());
  SetCursorPos((label.left + label.right) / 2, (label.top + label.bottom) / 2);
  EXPECT_TRUE(uitest::PumpUntil([&] { return !page.MarkButton(2).Checked(); }));
  EXPECT_FALSE(page.MarkButton(1).Checked());
  other.Destroy();
}

TEST_F(AssignmentPages, APickChangesTheWorkingCopyAndTheLabelAtOnce) {
  MakeCurrent(u"Varnok Glide M5");
  ui::CDlgMouse page(host_.Handle(), ProgramFolder());
  Open(page);
  uitest::Click(page.LabelButton(4).Handle());
  uitest::PumpPending();
  EXPECT_EQ(page.SelectedButton(), 4);
  EXPECT_GE(dropDownCloses_, 1);
  ASSERT_NE(page.FunctionMenu(), nullptr);
  EXPECT_TRUE(IsWindowVisible(page.FunctionMenu()->Handle()));

  // "Copy" from the editing category: (category code << 16) | 65.
  page.Post(codes::WM_BMPMENU_PICK, 0x00050001, (0x17 << 16) | 65);
  uitest::PumpPending();
  EXPECT_EQ(page.LabelButton(4).Text(), u"Copy");
  EXPECT_EQ(config::WorkingSettings.mouseAssignments[4].functionCode, 65);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[4].functionCode, 5);
  EXPECT_EQ(page.SelectedButton(), -1);
  EXPECT_FALSE(IsWindowVisible(page.FunctionMenu()->Handle()));

  // The main window's cancel: the applied record is shown again.
  page.Post(codes::WM_PAGE_RELOAD, 0, 0);
  uitest::PumpPending();
  EXPECT_EQ(page.LabelButton(4).Text(), u"Back");
}

// Answers the first window called `title` that opens on this thread: once
// it is there, `answer` gets its handle. The pick runs its dialog modally
// inside the page's handler; the dialog's own loop dispatches this timer.
class DialogAnswer : public ui::Window {
 public:
  DialogAnswer(const char16_t* title, std::function<void(HWND)> answer) : title_(title), answer_(std::move(answer)) {
    Create(0, u"", 0, RECT{0, 0, 0, 0}, HWND_MESSAGE);
    SetTimer(Handle(), 1, 20, nullptr);
  }
  bool Answered() const { return answered_; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TIMER) return Window::WindowProc(message, wParam, lParam);
    const HWND dialog = FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(title_));
    if (dialog == nullptr || !IsWindowVisible(dialog)) return 0;
    KillTimer(Handle(), 1);
    answered_ = true;
    answer_(dialog);
    return 0;
  }

 private:
  const char16_t* title_;
  std::function<void(HWND)> answer_;
  bool answered_ = false;
};

// A button of a skinned dialog, found by its place in the dialog.
HWND ButtonAt(HWND dialog, POINT inDialog) { return ChildWindowFromPoint(dialog, inDialog); }

struct DialogPickCase {
  const char* name;
  LPARAM code;
  const char16_t* dialog;
  std::function<void(HWND)> answer;
  bool changes;  // whether the button's record takes the pick
};

TEST_F(AssignmentPages, CombinationAndProgramPicksStoreOnlyWhatTheirDialogsHandBack) {
  // OK and Cancel of both dialogs, where the skins put them.
  const POINT comboOk = {150, 115}, comboCancel = {220, 115}, comboClose = {247, 13};
  const POINT launchCancel = {294, 115};
  const DialogPickCase cases[] = {
      {"combination, Cancel", 19, u"CDlgCombo",
       [&](HWND d) { uitest::Click(ButtonAt(d, comboCancel)); }, false},
      {"combination, close button", 19, u"CDlgCombo",
       [&](HWND d) { uitest::Click(ButtonAt(d, comboClose)); }, false},
      {"combination, OK with nothing pressed", 19, u"CDlgCombo",
       [&](HWND d) { uitest::Click(ButtonAt(d, comboOk)); }, false},
      {"program, Cancel", 25, u"CDlgAutoStart",
       [&](HWND d) { uitest::Click(ButtonAt(d, launchCancel)); }, false},
      {"program, Esc", 25, u"CDlgAutoStart",
       [&](HWND d) { PostMessageW(d, WM_COMMAND, IDCANCEL, 0); }, false},
      {"combination, Ctrl+V then OK", 19, u"CDlgCombo",
       [&](HWND d) {
         uitest::PostHookKey(d, 0xA2, false);
         uitest::PostHookKey(d, 0x56, false);
         uitest::PostHookKey(d, 0x56, true);
         uitest::PostHookKey(d, 0xA2, true);
         // After the keys: the click is posted behind them.
         PostMessageW(ButtonAt(d, comboOk), BM_CLICK, 0, 0);
       },
       true},
  };
  MakeCurrent(u"Varnok Glide M5");
  ui::CDlgMouse page(host_.Handle(), ProgramFolder());
  Open(page);
  for (const DialogPickCase& c : cases) {
    config::WorkingSettings = config::ActiveSettings;
    page.RefreshLabels(config::WorkingSettings);
    const std::vector<uint8_t> before = testing_config::BytesOf(config::WorkingSettings);
    DialogAnswer answer(c.dialog, c.answer);
    uitest::Click(page.LabelButton(4).Handle());
    page.Post(codes::WM_BMPMENU_PICK, 0, c.code);
    uitest::PumpPending();
    EXPECT_TRUE(answer.Answered()) << c.name;
    EXPECT_EQ(FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(c.dialog)), nullptr) << c.name << ": still open";
    if (!c.changes) {
      EXPECT_EQ(testing_config::BytesOf(config::WorkingSettings), before) << c.name;
      EXPECT_EQ(page.LabelButton(4).Text(), u"Back") << c.name;
      continue;
    }
    const config::ButtonAssignment& record = config::WorkingSettings.mouseAssignments[4];
    EXPECT_EQ(record.functionCode, 19) << c.name;
    EXPECT_EQ(record.comboModifiers, 0x01) << c.name;
    EXPECT_EQ(record.comboKey1, 0x56) << c.name;
    EXPECT_EQ(record.comboKey2, 0x00) << c.name;
  }
}

TEST_F(AssignmentPages, ResetGivesEveryButtonItsOwnFunctionAndTheWorkingCopyFollows) {
  MakeCurrent(u"Varnok Glide M5");
  config::ActiveSettings.mouseAssignments[4].functionCode = 65;
  config::ActiveSettings.mouseAssignments[1].functionCode = 1;
  // The reset put the scroll values back before the pages' part; the working
  // copy, which the next apply stores, must carry them too.
  config::ActiveSettings.wheelScrollLines = 3;
  config::ActiveSettings.scrollSetting = 3;
  ui::CDlgMouse page(host_.Handle(), ProgramFolder());
  Open(page);
  EXPECT_EQ(page.LabelButton(4).Text(), u"Copy");
  EXPECT_EQ(page.LabelButton(1).Text(), u"Left click");

  page.RestoreDefaults();
  EXPECT_EQ(page.LabelButton(4).Text(), u"Back");
  EXPECT_EQ(page.LabelButton(1).Text(), u"Right click");
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[4].functionCode, 5);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[1].functionCode, 2);
  EXPECT_EQ(testing_config::BytesOf(config::WorkingSettings), testing_config::BytesOf(config::ActiveSettings));
  EXPECT_EQ(config::WorkingSettings.wheelScrollLines, 3);
  EXPECT_EQ(config::WorkingSettings.scrollSetting, 3);
}

TEST_F(AssignmentPages, KeyboardMarksKeysWhoseAppliedFunctionChangedUntilTheReset) {
  MakeCurrent(u"Varnok Tempo K7");
  config::ActiveSettings.keyAssignments[3].functionCode = 65;
  ui::CDlgKeyBoard page(host_.Handle(), ProgramFolder());
  Open(page);
  ASSERT_EQ(page.ButtonCount(), 20);
  EXPECT_TRUE(Same(ChildRect(page.LabelButton(0).Handle()), RECT{8, 100, 150, 122}));
  EXPECT_EQ(page.LabelButton(0).Text(), u"Search");
  for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(page.KeyLabel(i).Changed(), i == 3) << "key " << i;

  // A pick shows its text at once; the changed marking waits for apply.
  uitest::Click(page.LabelButton(0).Handle());
  page.Post(codes::WM_BMPMENU_PICK, 0, (0x17 << 16) | 65);
  uitest::PumpPending();
  EXPECT_EQ(page.LabelButton(0).Text(), u"Copy");
  EXPECT_FALSE(page.KeyLabel(0).Changed());

  page.RestoreDefaults();
  for (std::size_t i = 0; i < 20; ++i) EXPECT_FALSE(page.KeyLabel(i).Changed()) << "key " << i;
  EXPECT_EQ(page.LabelButton(0).Text(), u"Search");
}

TEST_F(AssignmentPages, EnterEscSpaceAndF1LeaveThePageOpen) {
  MakeCurrent(u"Varnok Glide M5");
  ui::CDlgMouse page(host_.Handle(), ProgramFolder());
  Open(page);
  SetFocus(page.LabelButton(0).Handle());
  for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1}) {
    uitest::PostKey(page.LabelButton(0).Handle(), key);
    uitest::PumpPending();
    EXPECT_TRUE(IsWindow(page.Handle())) << "key " << key;
  }
  EXPECT_EQ(page.SelectedButton(), -1);
}

TEST_F(AssignmentPages, FiftyModelSwitchesLeaveNoGdiObjectsBehind) {
  MakeCurrent(u"Varnok Glide M5");
  ui::CDlgMouse page(host_.Handle(), ProgramFolder());
  Open(page);
  SwitchTo(page, u"Varnok Duo S8", u"Mouse");
  SwitchTo(page, u"Varnok Glide M5", u"Mouse");
  uitest::PumpPending();
  const uitest::ResourceCounts before = uitest::CountResources();
  for (int i = 0; i < 25; ++i) {
    SwitchTo(page, u"Varnok Duo S8", u"Mouse");
    SwitchTo(page, u"Varnok Glide M5", u"Mouse");
    uitest::PumpPending();
  }
  const uitest::ResourceCounts after = uitest::CountResources();
  // Each switch cuts close to a hundred bitmaps; a leak of one of them per
  // switch would show as fifty.
  EXPECT_LE(after.gdiObjects, before.gdiObjects + 5);
  EXPECT_LE(after.windows, before.windows);
}

}  // namespace
