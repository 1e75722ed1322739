#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "actions/MacroPlayback.h"
#include "config/MacroStore.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeWindowMessages.h"
#include "text/LabelTable.h"

namespace {

using fakes::FakeDesktop;
using fakes::KeyLine;
using fakes::MouseLine;
using fakes::SleepLine;
using macro::MacroStore;
using macro::tagMACROINFO;
using Lines = std::vector<std::string>;

const std::u16string kMainTitle = u"Varnok 2.4G";

struct Event {
  uint8_t vk;
  uint8_t released;
  int32_t delayMs;
};

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Lines Key(uint8_t vk, bool up, uint8_t scan) { return {KeyLine(vk, up ? 2 : 0, scan), SleepLine(50)}; }

class MacroPlaybackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store = std::make_unique<MacroStore>();
    std::memset(store.get(), 0, sizeof(MacroStore));
    store->macroCount = 5;
    editor = desktop.AddWindow(FakeDesktop::kDesktop, u"Edit", {0, 0, 100, 100}, 0, u"notes.txt");
    desktop.foreground = editor;
  }

  tagMACROINFO& Macro(std::size_t slot, std::initializer_list<Event> events) {
    tagMACROINFO& m = store->macros[slot];
    m.eventCount = static_cast<uint16_t>(events.size());
    std::size_t i = 0;
    for (const Event& e : events) m.events[i++] = {e.vk, e.released, {}, e.delayMs};
    return m;
  }

  Lines Play(std::size_t index) {
    desktop.Clear();
    actions::PlayMacro(*store, index, kMainTitle);
    return desktop.log;
  }

  FakeDesktop desktop;
  std::unique_ptr<MacroStore> store;
  platform::WindowHandle editor = 0;
};

TEST_F(MacroPlaybackTest, SideSpecificModifiersPlayAsThePlainKeyWithTheRecordedPauses) {
  Macro(0, {{0xA0, 0, 0}, {0x41, 0, 120}, {0x41, 1, 0}, {0xA1, 1, 35}});
  EXPECT_EQ(Play(0), Join({Key(0x10, false, 0x2A), Key(0x41, false, 0x1E), {SleepLine(120)}, Key(0x41, true, 0x1E),
                           Key(0x10, true, 0x2A), {SleepLine(35)}}));

  Macro(1, {{0xA2, 0, 0}, {0xA3, 1, 0}, {0xA4, 0, 0}, {0xA5, 1, 0}});
  EXPECT_EQ(Play(1), Join({Key(0x11, false, 0x1D), Key(0x11, true, 0x1D), Key(0x12, false, 0x38),
                           Key(0x12, true, 0x38)}));
}

TEST_F(MacroPlaybackTest, EveryPassOfALoopedMacroKeepsEveryPauseItsLastEventsToo) {
  // A-down with 100 ms, A-up, B-down with 200 ms, B-up with 30 ms, twice:
  // each key is followed by the 50 ms stroke pause and then its own pause,
  // and B-up's pause comes before the second pass begins.
  tagMACROINFO& m = Macro(0, {{0x41, 0, 100}, {0x41, 1, 0}, {0x42, 0, 200}, {0x42, 1, 30}});
  m.loopEnabled = 1;
  m.loopCount = 2;
  const Lines pass = Join({Key(0x41, false, 0x1E), {SleepLine(100)}, Key(0x41, true, 0x1E), Key(0x42, false, 0x30),
                           {SleepLine(200)}, Key(0x42, true, 0x30), {SleepLine(30)}});
  const uint32_t start = desktop.now;
  EXPECT_EQ(Play(0), Join({pass, pass}));
  EXPECT_EQ(desktop.now - start, 1060u);
}

TEST_F(MacroPlaybackTest, MouseButtonsPlayWithoutTheStrokePause) {
  desktop.extraInfo = 0x99;
  Macro(0, {{0xC1, 0, 0}, {0xC1, 1, 10}, {0xC2, 0, 0}, {0xC2, 1, 0}, {0xC3, 0, 0}, {0xC3, 1, 0}});
  EXPECT_EQ(Play(0), (Lines{MouseLine(0x0002, 0, 0, 0, 0x99), MouseLine(0x0004, 0, 0, 0, 0x99), SleepLine(10),
                            MouseLine(0x0008, 0, 0, 0, 0x99), MouseLine(0x0010, 0, 0, 0, 0x99),
                            MouseLine(0x0020, 0, 0, 0, 0x99), MouseLine(0x0040, 0, 0, 0, 0x99)}));
}

TEST_F(MacroPlaybackTest, TheLoopSettingsDecideHowOftenTheEventsPlay) {
  const Lines once = Join({Key(0x42, false, 0x30), Key(0x42, true, 0x30)});
  const struct {
    int32_t loopEnabled, loopCount;
    int plays;
  } cases[] = {{1, 3, 3}, {0, 5, 1}, {0, 0, 1}, {1, 1, 1}, {1, 0, 0}, {1, -2, 0}, {7, 2, 2}};
  for (const auto& c : cases) {
    tagMACROINFO& m = Macro(0, {{0x42, 0, 0}, {0x42, 1, 0}});
    m.loopEnabled = c.loopEnabled;
    m.loopCount = c.loopCount;
    Lines expected;
    for (int i = 0; i < c.plays; ++i) expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(Play(0), expected) << "loop " << c.loopEnabled << " count " << c.loopCount;
  }
}

TEST_F(MacroPlaybackTest, UnknownEmptyAndOutOfRangeMacrosPlayNothing) {
  Macro(0, {{0x41, 0, 0}});
  store->macros[0].eventCount = 0;
  for (std::size_t index : {0, 4, 7, 99, 100, 255, 100000})
    EXPECT_TRUE(Play(index).empty()) << index;
}

TEST_F(MacroPlaybackTest, NegativePausesCountAsNone) {
  Macro(0, {{0x41, 0, -500}, {0x41, 1, 0}});
  EXPECT_EQ(Play(0), Join({Key(0x41, false, 0x1E), Key(0x41, true, 0x1E)}));
}

TEST_F(MacroPlaybackTest, AStoredEventCountBeyondTheSlotsPlaysTheTwoHundredSlotsOnly) {
  tagMACROINFO& m = store->macros[0];
  for (std::size_t i = 0; i < macro::kEventSlots; ++i) m.events[i] = {0xC1, static_cast<uint8_t>(i % 2), {}, 0};
  m.eventCount = 0xFFFF;
  m.macroName[0] = u'X';  // right behind the events: never played
  EXPECT_EQ(Play(0).size(), macro::kEventSlots);
}

TEST_F(MacroPlaybackTest, NoWindowInFrontStopsPlaybackAtOnce) {
  Macro(0, {{0x41, 0, 0}, {0x41, 1, 0}});
  desktop.foreground = 0;
  EXPECT_TRUE(Play(0).empty());
}

TEST_F(MacroPlaybackTest, TheMainWindowComingToTheFrontStopsPlaybackAndReleasesWhatIsHeld) {
  // Ctrl, Shift, the left button and A go down; the main window comes to the
  // front during A's pause; the rest of the macro would release them.
  const platform::WindowHandle main =
      desktop.AddWindow(FakeDesktop::kDesktop, u"#32770", {0, 0, 100, 100}, 0, kMainTitle);
  Macro(0, {{0xA2, 0, 0}, {0x10, 0, 0}, {0xC1, 0, 0}, {0x10, 1, 0}, {0x10, 0, 0}, {0x41, 0, 300},
            {0x41, 1, 0}, {0xC1, 1, 0}, {0x10, 1, 0}, {0xA3, 1, 0}});
  desktop.onSleep = [&] {
    if (desktop.now >= 1000 + 300) desktop.foreground = main;
  };
  const Lines played = Play(0);
  const Lines expected = Join({Key(0x11, false, 0x1D), Key(0x10, false, 0x2A), {MouseLine(0x0002)},
                               Key(0x10, true, 0x2A), Key(0x10, false, 0x2A), Key(0x41, false, 0x1E),
                               {SleepLine(300)},
                               // the last pressed first
                               Key(0x41, true, 0x1E), Key(0x10, true, 0x2A), {MouseLine(0x0004)},
                               Key(0x11, true, 0x1D)});
  EXPECT_EQ(played, expected);
}

TEST_F(MacroPlaybackTest, AStopInALaterPassReleasesWhatAnEarlierPassLeftDown) {
  // Each pass types A and ends with Ctrl going down; the second pass's Ctrl
  // would come after A. The main window comes to the front in the pause
  // after A's press in the second pass: Ctrl, held since the first pass,
  // must go up as well as A.
  const platform::WindowHandle main =
      desktop.AddWindow(FakeDesktop::kDesktop, u"#32770", {0, 0, 100, 100}, 0, kMainTitle);
  tagMACROINFO& m = Macro(0, {{0x41, 0, 300}, {0x41, 1, 0}, {0xA2, 0, 0}});
  m.loopEnabled = 1;
  m.loopCount = 3;
  int pauses = 0;
  desktop.onSleep = [&] {
    if (desktop.log.back() == SleepLine(300) && ++pauses == 2) desktop.foreground = main;
  };
  const Lines pass = Join({Key(0x41, false, 0x1E), {SleepLine(300)}, Key(0x41, true, 0x1E), Key(0x11, false, 0x1D)});
  const Lines expected = Join({pass, Key(0x41, false, 0x1E), {SleepLine(300)},
                               // the last pressed first
                               Key(0x41, true, 0x1E), Key(0x11, true, 0x1D)});
  EXPECT_EQ(Play(0), expected);
}

TEST_F(MacroPlaybackTest, AnExitCommandWaitingForTheMainWindowEndsPlaybackWithNothingHeld) {
  // Shift and A go down, A's pause passes, then B would be typed; a command
  // for the main window arrives during the pause.
  constexpr platform::WindowHandle kMain = 0x5150;
  fakes::FakeWindowMessages messagesFake;
  messagesFake.windows[kMainTitle] = kMain;
  platform::ScopedService<platform::WindowMessages> messages(messagesFake);
  Macro(0, {{0x10, 0, 0}, {0x41, 0, 300}, {0x41, 1, 0}, {0x42, 0, 0}, {0x42, 1, 0}, {0x10, 1, 0}});
  const Lines fullPlay = Join({Key(0x10, false, 0x2A), Key(0x41, false, 0x1E), {SleepLine(300)},
                               Key(0x41, true, 0x1E), Key(0x42, false, 0x30), Key(0x42, true, 0x30),
                               Key(0x10, true, 0x2A)});
  const Lines cutShort = Join({Key(0x10, false, 0x2A), Key(0x41, false, 0x1E), {SleepLine(300)},
                               // the last pressed first
                               Key(0x41, true, 0x1E), Key(0x10, true, 0x2A)});
  struct Case {
    const char* what;
    platform::WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
    Lines expected;
  };
  const Case cases[] = {
      {"the exit command", kMain, 0x0111, 2, cutShort},
      {"another command of the main window", kMain, 0x0111, 1, fullPlay},
      {"the exit command for another window", 0x7777, 0x0111, 2, fullPlay},
      {"another message", kMain, 0x0010, 2, fullPlay},
  };
  for (const Case& c : cases) {
    messagesFake.waiting.clear();
    desktop.onSleep = [&] {
      if (desktop.log.back() == SleepLine(300)) messagesFake.waiting.push_back({c.window, c.message, c.wParam, 0});
    };
    EXPECT_EQ(Play(0), c.expected) << c.what;
  }

  // Waiting before the macro starts: nothing is typed at all.
  desktop.onSleep = nullptr;
  messagesFake.waiting = {{kMain, 0x0111, 2, 0}};
  EXPECT_TRUE(Play(0).empty());
}

TEST_F(MacroPlaybackTest, AnyWindowTitledLikeTheMainWindowStopsIt) {
  Macro(0, {{0x41, 0, 0}, {0x41, 1, 0}});
  desktop.At(editor).title = kMainTitle;
  EXPECT_TRUE(Play(0).empty());

  // An empty title text matches an untitled window.
  desktop.At(editor).title.clear();
  desktop.Clear();
  actions::PlayMacro(*store, 0, u"");
  EXPECT_TRUE(desktop.log.empty());
  actions::PlayMacro(*store, 0, kMainTitle);
  EXPECT_EQ(desktop.log.size(), 4u);
}

TEST_F(MacroPlaybackTest, AMacroThatRunsToItsEndIsPlayedExactlyAsRecorded) {
  // Recorded without its release: nothing is added.
  Macro(0, {{0x10, 0, 0}, {0x41, 0, 0}, {0x41, 1, 0}});
  EXPECT_EQ(Play(0), Join({Key(0x10, false, 0x2A), Key(0x41, false, 0x1E), Key(0x41, true, 0x1E)}));
}

TEST_F(MacroPlaybackTest, PlaysFromTheProcessWideStoreIntoAnyWindowButTheMainWindow) {
  std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
  macro::TheMacroStore.macroCount = 1;
  macro::TheMacroStore.macros[0].eventCount = 1;
  macro::TheMacroStore.macros[0].events[0] = {0x41, 0, {}, 0};
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_mouse_title"), u"notes.txt");
  actions::PlayMacro(uint8_t{0});
  EXPECT_TRUE(desktop.log.empty());
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_mouse_title"), kMainTitle);
  actions::PlayMacro(uint8_t{0});
  EXPECT_EQ(desktop.log, Key(0x41, false, 0x1E));
  LabelTable::Instance().Clear();
  std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
}

}  // namespace
