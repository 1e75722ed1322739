#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/EventDispatch.h"
#include "config/FunctionCodes.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/FakeDesktop.h"
#include "platform/MemoryRegistry.h"

namespace {

using actions::CEventDispatcher;
using config::ButtonAssignment;
using config::tagVARNOK24G_DATA_;
using config::tagVARNOK24G_UI_INFORMATION;
using testing_config::MakeDevice;
using Runs = std::vector<std::string>;

// Notes which record of the settings each accepted press ran: "mouse 3" is
// the record at position 3 of the mouse array.
class RecordingExecutor final : public actions::AssignmentExecutor {
 public:
  explicit RecordingExecutor(const tagVARNOK24G_DATA_& settings) : settings_(settings) {}
  Runs runs;
  void Execute(const ButtonAssignment& record) override {
    const ButtonAssignment* mouse = settings_.mouseAssignments;
    const ButtonAssignment* keys = settings_.keyAssignments;
    if (&record >= mouse && &record < mouse + config::kMaxMouseButtons)
      runs.push_back("mouse " + std::to_string(&record - mouse));
    else if (&record >= keys && &record < keys + config::kMaxKeys)
      runs.push_back("key " + std::to_string(&record - keys));
    else
      runs.push_back("foreign record");
  }

 private:
  const tagVARNOK24G_DATA_& settings_;
};

class EventDispatchTest : public ::testing::Test {
 protected:
  // Every button of the device gets its own code as its function (unchanged).
  void Use(const tagVARNOK24G_UI_INFORMATION& model) {
    device = model;
    settings = {};
    for (std::size_t i = 0; i < config::kMaxMouseButtons; ++i)
      settings.mouseAssignments[i].functionCode = model.mouseButtons[i].buttonCode;
    for (std::size_t i = 0; i < config::kMaxKeys; ++i)
      settings.keyAssignments[i].functionCode = model.keys[i].buttonCode;
  }
  void AssignMouse(int position, uint8_t function) { settings.mouseAssignments[position].functionCode = function; }
  void AssignKey(int position, uint8_t function) { settings.keyAssignments[position].functionCode = function; }
  Runs Dispatch(uint32_t code, uint8_t deviceType = 1) {
    executor.runs.clear();
    dispatcher.OnDriverEvent(code, deviceType);
    return executor.runs;
  }

  tagVARNOK24G_UI_INFORMATION device{};
  tagVARNOK24G_DATA_ settings{};
  RecordingExecutor executor{settings};
  CEventDispatcher dispatcher{executor, device, settings};
};

// A five-button mouse whose list is not in bit order, every button remapped.
class MouseStateTest : public EventDispatchTest {
 protected:
  void SetUp() override {
    Use(MakeDevice(u"Mouse", 0x1000, 1, {3, 1, 2, 4, 5, 9, 10}, {}));
    for (int i = 0; i < 5; ++i) AssignMouse(i, config::FN_COPY);
  }
};

TEST_F(MouseStateTest, ButtonsActWhenTheyGoDownAndOnlyWhenNoneGoesUp) {
  // Positions: button 1 is mouse 1, 2 is 2, 3 is 0, 4 is 3, 5 is 4.
  const struct Case {
    uint8_t previous, current;
    Runs expected;
  } cases[] = {
      {0x00, 0x01, {"mouse 1"}},
      {0x00, 0x03, {"mouse 1", "mouse 2"}},  // left before right
      {0x01, 0x03, {"mouse 2"}},             // right pressed while left is held
      {0x03, 0x02, {}},                      // left released
      {0x01, 0x02, {}},                      // a release in the same event
      {0x04, 0x04, {}},                      // no change
      {0x00, 0x08, {"mouse 4"}},             // bit 3: the fourth button, code 5
      {0x00, 0x10, {"mouse 3"}},             // bit 4: the fifth button, code 4
      {0x00, 0x1F, {"mouse 1", "mouse 2", "mouse 0", "mouse 4", "mouse 3"}},
      {0x00, 0xE0, {}},                      // bits 5 to 7 select nothing
      {0x20, 0x25, {"mouse 1", "mouse 0"}},
      {0x1F, 0x00, {}},
  };
  for (const Case& c : cases) {
    Dispatch(c.previous);
    EXPECT_EQ(Dispatch(c.current), c.expected) << std::hex << int(c.previous) << " -> " << int(c.current);
    EXPECT_EQ(dispatcher.MouseButtonState(), c.current);
  }
}

TEST_F(MouseStateTest, ButtonsWithTheirOwnFunctionOrMissingFromTheModelDoNothing) {
  AssignMouse(3, 4);  // button 4 keeps X button 2
  AssignMouse(4, 5);  // button 5 keeps X button 1
  EXPECT_TRUE(Dispatch(0x18).empty());
  EXPECT_TRUE(Dispatch(0x00).empty());

  // A model without a middle button.
  Use(MakeDevice(u"Two", 0x1001, 1, {1, 2}, {}));
  AssignMouse(0, config::FN_COPY);
  AssignMouse(1, config::FN_COPY);
  EXPECT_EQ(Dispatch(0x07), (Runs{"mouse 0", "mouse 1"}));
}

TEST_F(MouseStateTest, WheelTiltAndZoomRunTheirButtonWhateverItsFunctionAndLeaveTheStateAlone) {
  Use(MakeDevice(u"Wheel", 0x1002, 1, {1, 9, 10, 16, 17, 86, 87, 2}, {}));
  AssignMouse(0, config::FN_COPY);
  AssignMouse(7, config::FN_COPY);
  const struct {
    uint32_t code;
    Runs expected;
  } cases[] = {
      {0x101, {"mouse 1"}},      {0x1FF, {"mouse 2"}},      {0x2FF, {"mouse 3"}}, {0x201, {"mouse 4"}},
      {0x40002103, {"mouse 5"}}, {0x40002003, {"mouse 6"}}, {0x102, {}},          {0x301, {}},
  };
  EXPECT_EQ(Dispatch(0x01), (Runs{"mouse 0"}));
  for (const auto& c : cases) {
    EXPECT_EQ(Dispatch(c.code), c.expected) << std::hex << c.code;
    EXPECT_EQ(dispatcher.MouseButtonState(), 0x01);
  }
  // Still held: only the right button is new.
  EXPECT_EQ(Dispatch(0x03), (Runs{"mouse 7"}));
}

TEST_F(EventDispatchTest, TheFirstMatchingButtonWithinTheCountWins) {
  Use(MakeDevice(u"Twice", 0x1003, 1, {2, 1, 1}, {}));
  AssignMouse(1, config::FN_COPY);
  AssignMouse(2, config::FN_PASTE);
  EXPECT_EQ(dispatcher.FindMouseButton(1), 1);
  EXPECT_EQ(Dispatch(0x01), (Runs{"mouse 1"}));

  device.mouseButtonCount = 1;  // the list holds button 1 beyond the count
  EXPECT_EQ(dispatcher.FindMouseButton(1), -1);
  EXPECT_TRUE(Dispatch(0x00).empty());
  EXPECT_TRUE(Dispatch(0x01).empty());

  // Counts out of range never reach past the lists.
  device.mouseButtonCount = 1000;
  device.keyCount = 1000;
  EXPECT_EQ(dispatcher.FindMouseButton(1), 1);
  EXPECT_EQ(dispatcher.FindKeyboardButton(200), -1);
  device.mouseButtonCount = -5;
  EXPECT_EQ(dispatcher.FindMouseButton(2), -1);
}

TEST_F(EventDispatchTest, TheStateByteSurvivesAChangeOfModel) {
  Use(MakeDevice(u"A", 0x2000, 1, {1, 2}, {}));
  AssignMouse(0, config::FN_COPY);
  AssignMouse(1, config::FN_COPY);
  EXPECT_EQ(Dispatch(0x01), (Runs{"mouse 0"}));
  Use(MakeDevice(u"B", 0x2001, 3, {2, 1}, {96}));
  AssignMouse(0, config::FN_PASTE);
  AssignMouse(1, config::FN_PASTE);
  EXPECT_TRUE(Dispatch(0x01).empty());
  EXPECT_EQ(Dispatch(0x03, 3), (Runs{"mouse 0"}));
}

struct KeyRow {
  uint32_t code;
  uint8_t button;
  char rule;  // 'o' own-check, 'a' always, 'f' F-key
};

const KeyRow kKeyRows[] = {
    {0x400000B5, 113, 'o'}, {0x400000B6, 112, 'o'}, {0x400000B7, 114, 'o'}, {0x400000CD, 110, 'o'},
    {0x400000E2, 115, 'o'}, {0x400000E9, 116, 'o'}, {0x400000EA, 117, 'o'}, {0x40000183, 111, 'o'},
    {0x4000018A, 102, 'o'}, {0x40000192, 109, 'o'}, {0x40000194, 108, 'o'}, {0x40000221, 101, 'o'},
    {0x40000223, 103, 'o'}, {0x40000224, 96, 'o'},  {0x40000225, 97, 'o'},  {0x40000226, 98, 'o'},
    {0x40000227, 99, 'o'},  {0x4000022A, 100, 'o'}, {0x40000308, 107, 'a'}, {0x4000030D, 106, 'a'},
    {0x400007FE, 104, 'o'}, {0x400007FF, 105, 'o'}, {0x40002003, 86, 'o'},  {0x40002103, 87, 'o'},
    {0x5000003A, 96, 'f'},  {0x5000003B, 97, 'f'},  {0x5000003C, 103, 'f'}, {0x5000003D, 102, 'f'},
    {0x5000003E, 111, 'f'}, {0x5000003F, 110, 'f'}, {0x50000040, 114, 'f'}, {0x50000041, 112, 'f'},
    {0x50000042, 113, 'f'}, {0x50000043, 117, 'f'}, {0x50000044, 116, 'f'}, {0x50000045, 115, 'f'},
};

TEST_F(EventDispatchTest, EveryKeyEventFollowsItsRule) {
  for (const int32_t model : {0x9060, 0x9070, 0x9080, 0x9050, 0x1000}) {
    const bool mediaFunctionKeys = model != 0x9050 && model != 0x1000;
    for (const KeyRow& row : kKeyRows) {
      // The key sits at position 2, behind two other keys.
      const uint8_t other = row.button == 99 ? 98 : 99;
      Use(MakeDevice(u"Keys", model, 2, {}, {other, other, row.button}));
      const bool runsUnchanged = row.rule == 'a' || (row.rule == 'f' && mediaFunctionKeys);
      const bool runsChanged = row.rule != 'f' || mediaFunctionKeys;
      EXPECT_EQ(Dispatch(row.code, 2), runsUnchanged ? Runs{"key 2"} : Runs{})
          << std::hex << row.code << " unchanged on model " << model;
      AssignKey(2, config::FN_SCROLL_UP);
      EXPECT_EQ(Dispatch(row.code, 2), runsChanged ? Runs{"key 2"} : Runs{})
          << std::hex << row.code << " remapped on model " << model;
      // A model without that key ignores the event.
      Use(MakeDevice(u"Other", model, 2, {}, {other}));
      AssignKey(0, config::FN_SCROLL_UP);
      EXPECT_TRUE(Dispatch(row.code, 2).empty()) << std::hex << row.code;
    }
  }
}

TEST_F(EventDispatchTest, CodesOutsideTheTablesAreIgnoredByBothHalves) {
  Use(MakeDevice(u"Set", 0x9070, 3, {1, 2, 3, 4, 5, 9, 10, 16, 17, 86, 87}, {96, 97, 98, 99, 100, 101, 102}));
  for (int i = 0; i < 11; ++i) AssignMouse(i, config::FN_COPY);
  for (int i = 0; i < 7; ++i) AssignKey(i, config::FN_COPY);
  for (const uint32_t code : {0x40000000u, 0x40000228u, 0x40000229u, 0x40000001u, 0x50000039u, 0x50000046u,
                              0x50000000u, 0x100u, 0x200u, 0x1FEu, 0x80000000u, 0xFFFFFFFFu, 0x60000224u,
                              0x40010224u}) {
    EXPECT_TRUE(Dispatch(code, 3).empty()) << std::hex << code;
    EXPECT_EQ(dispatcher.MouseButtonState(), 0);
  }
}

TEST_F(EventDispatchTest, TheDeviceTypeDecidesWhichHalvesSeeTheEvent) {
  Use(MakeDevice(u"Set", 0x3000, 3, {1, 86, 87}, {86, 87, 109}));
  AssignMouse(0, config::FN_COPY);
  AssignKey(0, config::FN_COPY);
  AssignKey(1, config::FN_COPY);
  AssignKey(2, config::FN_COPY);
  const struct {
    uint8_t deviceType;
    uint32_t code;
    Runs expected;
  } cases[] = {
      // The zoom codes map the other way round in the two tables; with both
      // halves the keyboard goes first.
      {3, 0x40002003, {"key 0", "mouse 2"}},
      {3, 0x40002103, {"key 1", "mouse 1"}},
      {2, 0x40002003, {"key 0"}},
      {1, 0x40002003, {"mouse 2"}},
      {1, 0x40000192, {}},  // a consumer key on a mouse
      {2, 0x01, {}},        // a button state on a keyboard
      {3, 0x40000192, {"key 2"}},
      {0, 0x40002003, {}},
      {4, 0x40002003, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Dispatch(c.code, c.deviceType), c.expected) << "type " << int(c.deviceType) << std::hex << " " << c.code;
  }
  EXPECT_EQ(Dispatch(0x01, 3), (Runs{"mouse 0"}));
  // A keyboard model leaves the mouse state untouched.
  EXPECT_TRUE(Dispatch(0x00, 2).empty());
  EXPECT_EQ(dispatcher.MouseButtonState(), 0x01);
}

// From the driver's event code to the synthesised input, with the program's
// own executor.
TEST(DispatchToActionTest, EventsRunTheAssignedActions) {
  fakes::FakeDesktop desktop;
  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> registryService{registry};
  const std::u16string excel = u"C:\\Office\\EXCEL.EXE";
  registry.PutValue(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\excel.exe", u"",
                    platform::kRegSz,
                    std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(excel.c_str()),
                                         reinterpret_cast<const uint8_t*>(excel.c_str() + excel.size() + 1)));
  tagVARNOK24G_UI_INFORMATION device = MakeDevice(u"Set", 0x9070, 3, {1, 2, 3, 5, 4}, {111, 102, 107});
  tagVARNOK24G_DATA_ settings{};
  for (int i = 0; i < 5; ++i) settings.mouseAssignments[i].functionCode = device.mouseButtons[i].buttonCode;
  for (int i = 0; i < 3; ++i) settings.keyAssignments[i].functionCode = device.keys[i].buttonCode;
  settings.mouseAssignments[3].functionCode = config::FN_COPY;  // the fourth button copies
  actions::CFaceBookFunction site;
  actions::ActionExecutor executor(site);
  CEventDispatcher dispatcher(executor, device, settings);
  using fakes::KeyLine;
  using Lines = std::vector<std::string>;

  dispatcher.OnDriverEvent(0x08, 3);
  EXPECT_EQ(desktop.log, (Lines{KeyLine(0x11, 1), KeyLine(0x43, 1), KeyLine(0x43, 3), KeyLine(0x11, 3)}));
  desktop.Clear();
  dispatcher.OnDriverEvent(0x00, 3);  // the release
  dispatcher.OnDriverEvent(0x4000018A, 3);  // the unchanged mail key
  dispatcher.OnDriverEvent(0x5000003E, 3);  // F5, unchanged: runs, but 111 does nothing
  EXPECT_TRUE(desktop.log.empty());
  dispatcher.OnDriverEvent(0x40000308, 3);  // the unchanged Excel key
  EXPECT_EQ(desktop.log, (Lines{"open C:\\Office\\EXCEL.EXE"}));

  desktop.Clear();
  settings.keyAssignments[0].functionCode = config::FN_SCROLL_UP;
  dispatcher.OnDriverEvent(0x5000003E, 3);
  EXPECT_EQ(desktop.log, (Lines{fakes::MouseLine(0x0800, 120)}));
}

// The dispatcher reads the process-wide model and settings by default.
TEST(DispatchToActionTest, ReadsTheCurrentModelAndActiveSettings) {
  fakes::FakeDesktop desktop;
  testing_config::ResetConfiguration();
  config::CurrentDevice = MakeDevice(u"M", 0x1000, 1, {1, 2}, {});
  config::ActiveSettings.mouseAssignments[0].functionCode = config::FN_LEFT_CLICK;
  config::ActiveSettings.mouseAssignments[1].functionCode = config::FN_MIDDLE_CLICK;
  actions::CFaceBookFunction site;
  actions::ActionExecutor executor(site);
  CEventDispatcher dispatcher(executor);
  dispatcher.OnDriverEvent(0x02, 1);
  EXPECT_EQ(desktop.log, (std::vector<std::string>{fakes::MouseLine(0x20), fakes::MouseLine(0x40)}));
  testing_config::ResetConfiguration();
}

}  // namespace
