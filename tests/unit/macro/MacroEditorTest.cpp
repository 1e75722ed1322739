// The macro editor's behaviour behind its window: recording from the
// keyboard hook and the on-screen mouse buttons, and the commands on the
// working list of macros.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "codes/KeyCodes.h"
#include "config/FunctionCodes.h"
#include "config/SettingsStore.h"
#include "fakes/ConfigFixtures.h"
#include "macro/MacroEditor.h"
#include "macro/MacroList.h"
#include "config/MacroStore.h"
#include "platform/MemoryRegistry.h"
#include "platform/WideText.h"
#include "text/LabelTable.h"

namespace {

using macro::MacroEditor;
using macro::RowKind;

struct FakeHook : macro::KeyboardHook {
  bool present = true;
  std::vector<int> statuses;  // every switch, in order
  bool CanSwitch() const override { return present; }
  void SetStatus(bool on) override { statuses.push_back(on ? 1 : 0); }
};

// Keeps what the window would show.
struct ShownEditor : macro::MacroEditorView {
  struct Row {
    std::u16string text;
    RowKind kind;
    bool operator==(const Row& o) const { return text == o.text && kind == o.kind; }
  };
  std::vector<std::u16string> macroRows;
  int32_t selectedMacro = -1;
  std::vector<Row> eventRows;
  int32_t selectedEvent = -1;
  bool loopOn = false;
  std::u16string countText;
  bool countEnabled = false;
  bool delayOn = false;
  bool recording = false;
  std::vector<std::pair<uint32_t, uint32_t>> posted;
  std::vector<std::u16string> messages;

  void SetMacroRows(const std::vector<std::u16string>& names) override {
    macroRows = names;
    selectedMacro = -1;
  }
  void AddMacroRow(const std::u16string& name) override {
    macroRows.push_back(name);
    selectedMacro = static_cast<int32_t>(macroRows.size()) - 1;
  }
  void SetMacroRowText(std::size_t row, const std::u16string& name) override { macroRows.at(row) = name; }
  void RemoveMacroRow(std::size_t row) override {
    macroRows.erase(macroRows.begin() + static_cast<std::ptrdiff_t>(row));
    selectedMacro = -1;
  }
  void SelectMacroRow(int32_t row) override { selectedMacro = row; }
  void ClearEventRows() override {
    eventRows.clear();
    selectedEvent = -1;
  }
  void AddEventRow(const std::u16string& text, RowKind kind) override {
    eventRows.push_back({text, kind});
    selectedEvent = static_cast<int32_t>(eventRows.size()) - 1;
  }
  void SelectEventRow(int32_t row) override { selectedEvent = row; }
  void ShowLoop(bool on, const std::u16string& text, bool enabled) override {
    loopOn = on;
    countText = text;
    countEnabled = enabled;
  }
  void ShowDelaySwitch(bool on) override { delayOn = on; }
  void ShowRecording(bool on) override { recording = on; }
  void PostHookKey(uint32_t virtualKey, uint32_t flags) override { posted.emplace_back(virtualKey, flags); }
  void ShowMessage(const std::u16string& text, const std::u16string&) override { messages.push_back(text); }
};

struct Event {
  uint8_t vk;
  uint8_t released;
  int32_t delayMs;
  bool operator==(const Event& o) const { return vk == o.vk && released == o.released && delayMs == o.delayMs; }
};

void PrintTo(const Event& e, std::ostream* os) {
  *os << "{" << std::hex << int(e.vk) << std::dec << ", " << int(e.released) << ", " << e.delayMs << "}";
}
void PrintTo(const ShownEditor::Row& r, std::ostream* os) {
  *os << "{" << platform::NarrowAscii(r.text) << ", " << static_cast<int>(r.kind) << "}";
}

constexpr intptr_t kDown = 0;
constexpr intptr_t kUp = 0x80;

class MacroEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_new_macro"), u"New macro");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_macro_msg3"), u"This macro is in use.");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_macro_msg4"), u"Pause from 1 to 60000 ms.");
    registry.PutValue(config::kMacroKey, config::kMacroValue, platform::kRegBinary, {});
  }
  void TearDown() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Clear();
  }

  // Stored macros "M0", "M1", ... each with one A press.
  static void FillStore(int count) {
    std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
    for (int i = 0; i < count; ++i) {
      macro::SetMacroName(macro::TheMacroStore.macros[i], u"M" + platform::WidenAscii(std::to_string(i)));
      macro::TheMacroStore.macros[i].eventCount = 1;
      macro::TheMacroStore.macros[i].events[0] = {0x41, 0, {}, 0};
    }
    macro::TheMacroStore.macroCount = count;
  }

  std::vector<Event> Events(int index) const {
    std::vector<Event> events;
    const macro::tagMACROINFO& m = *list.Macro(static_cast<std::size_t>(index));
    for (int i = 0; i < m.eventCount; ++i) events.push_back({m.events[i].vk, m.events[i].released, m.events[i].delayMs});
    return events;
  }

  // Opens on macro `index` of `count` stored ones and starts recording.
  void RecordInto(int count, int index) {
    FillStore(count);
    editor.Open(index);
    editor.Record();
    ASSERT_TRUE(editor.Recording());
  }

  void Key(uintptr_t vk, intptr_t flags, uint32_t at = 0) {
    if (at != 0) now = at;
    editor.OnHookKey(vk, flags, now);
  }

  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> installedRegistry{registry};
  uint32_t now = 5000;  // the tick count of the next report's posting
  FakeHook hook;
  ShownEditor shown;
  macro::MacroList list;
  MacroEditor editor{list, shown, hook};
};

TEST_F(MacroEditorTest, TypingRecordsPressesAndReleasesWithoutPauses) {
  RecordInto(1, 0);
  EXPECT_EQ(hook.statuses.back(), 1);
  EXPECT_TRUE(shown.recording);
  // The macro's old A press went when recording started.
  EXPECT_TRUE(Events(0).empty());
  EXPECT_TRUE(shown.eventRows.empty());

  Key(0x41, kDown, 6000);
  Key(0x41, kUp, 6100);
  Key(0x42, kDown, 6200);
  Key(0x42, kUp, 6300);

  EXPECT_EQ(Events(0), (std::vector<Event>{{0x41, 0, 0}, {0x41, 1, 0}, {0x42, 0, 0}, {0x42, 1, 0}}));
  EXPECT_EQ(shown.eventRows, (std::vector<ShownEditor::Row>{{u"A", RowKind::KeyPress},
                                                            {u"A", RowKind::KeyRelease},
                                                            {u"B", RowKind::KeyPress},
                                                            {u"B", RowKind::KeyRelease}}));
  EXPECT_EQ(shown.selectedEvent, 3);
  EXPECT_EQ(list.Macro(0)->recordDelays, 0);
  EXPECT_EQ(macro::MacroName(*list.Macro(0)), u"M0");
}

TEST_F(MacroEditorTest, RepeatsOfTheSameReportAreOneEvent) {
  struct Case {
    const char* what;
    std::vector<std::pair<uintptr_t, intptr_t>> reports;
    std::vector<Event> recorded;
  };
  const Case cases[] = {
      {"a held key", {{0x41, kDown}, {0x41, kDown}, {0x41, kDown}, {0x41, kUp}}, {{0x41, 0, 0}, {0x41, 1, 0}}},
      {"left and right Shift apart", {{0xA0, kDown}, {0xA1, kDown}, {0xA1, kUp}, {0xA0, kUp}},
       {{0xA0, 0, 0}, {0xA1, 0, 0}, {0xA1, 1, 0}, {0xA0, 1, 0}}},
      // Every bit of the flags counts when comparing, not only the release bit.
      {"flags differing in another bit", {{0x41, kDown}, {0x41, 0x01}}, {{0x41, 0, 0}, {0x41, 0, 0}}},
      {"only the key code's low byte is kept", {{0x141, kDown}}, {{0x41, 0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordInto(1, 0);
    for (const auto& [vk, flags] : c.reports) Key(vk, flags);
    EXPECT_EQ(Events(0), c.recorded);
    editor.Cancel();
  }
}

TEST_F(MacroEditorTest, TheDelaySwitchStoresTheGapOnTheEventBeforeAndShowsItAsARow) {
  RecordInto(1, 0);
  Key(0x41, kDown, 10000);
  editor.ToggleDelay();  // on; the gap to the next event is not measured
  EXPECT_TRUE(shown.delayOn);
  Key(0x41, kUp, 10300);
  Key(0x42, kDown, 10650);
  Key(0x42, kDown, 10700);  // a repeat: no event, and no gap taken
  Key(0x42, kUp, 10900);
  Key(0x43, kDown, 10900);  // at the same tick: no pause

  EXPECT_EQ(Events(0), (std::vector<Event>{{0x41, 0, 0}, {0x41, 1, 350}, {0x42, 0, 250}, {0x42, 1, 0}, {0x43, 0, 0}}));
  EXPECT_EQ(shown.eventRows, (std::vector<ShownEditor::Row>{{u"A", RowKind::KeyPress},
                                                            {u"A", RowKind::KeyRelease},
                                                            {u"350 ms", RowKind::Pause},
                                                            {u"B", RowKind::KeyPress},
                                                            {u"250 ms", RowKind::Pause},
                                                            {u"B", RowKind::KeyRelease},
                                                            {u"C", RowKind::KeyPress}}));
  EXPECT_EQ(list.Macro(0)->recordDelays, 1);

  // Switching it off and on again starts the measuring afresh.
  editor.ToggleDelay();
  Key(0x43, kUp, 11000);
  editor.ToggleDelay();
  Key(0x44, kDown, 11500);
  Key(0x44, kUp, 11600);
  const std::vector<Event> events = Events(0);
  EXPECT_EQ(events[4].delayMs, 0);
  EXPECT_EQ(events[5].delayMs, 0);
  EXPECT_EQ(events[6].delayMs, 100);

  // Stopping the recording turns the switch off; outside a recording it
  // cannot be turned on.
  editor.Record();
  EXPECT_FALSE(shown.delayOn);
  editor.ToggleDelay();
  EXPECT_FALSE(editor.DelaySwitch());
}

TEST_F(MacroEditorTest, TheOnScreenMouseButtonsRecordThroughTheWindowsQueue) {
  FillStore(1);
  editor.Open(0);
  editor.OnMouseButton(codes::kLeftButtonCode, false);  // not recording
  EXPECT_TRUE(shown.posted.empty());

  editor.Record();
  const struct {
    uint8_t button;
    uint32_t code;
  } buttons[] = {{codes::kLeftButtonCode, 0xC1}, {codes::kRightButtonCode, 0xC2}, {codes::kMiddleButtonCode, 0xC3}};
  for (const auto& b : buttons) {
    editor.OnMouseButton(b.button, false);
    editor.OnMouseButton(b.button, true);
  }
  ASSERT_EQ(shown.posted, (std::vector<std::pair<uint32_t, uint32_t>>{
                              {0xC1, 0}, {0xC1, 0x80}, {0xC2, 0}, {0xC2, 0x80}, {0xC3, 0}, {0xC3, 0x80}}));
  for (const auto& [vk, flags] : shown.posted) editor.OnHookKey(vk, static_cast<intptr_t>(flags), now);
  EXPECT_EQ(Events(0), (std::vector<Event>{{0xC1, 0, 0}, {0xC1, 1, 0}, {0xC2, 0, 0}, {0xC2, 1, 0}, {0xC3, 0, 0},
                                           {0xC3, 1, 0}}));
  EXPECT_EQ(shown.eventRows[0], (ShownEditor::Row{u"LButton", RowKind::KeyPress}));
}

TEST_F(MacroEditorTest, ARecordingThatEndsWithKeysDownGetsTheirReleases) {
  struct Case {
    const char* what;
    std::vector<std::pair<uintptr_t, intptr_t>> reports;
    std::vector<Event> added;  // after the recorded events
  };
  const Case cases[] = {
      {"nothing held", {{0x41, kDown}, {0x41, kUp}}, {}},
      {"Shift held after A", {{0xA0, kDown}, {0x41, kDown}, {0x41, kUp}}, {{0xA0, 1, 0}}},
      {"Ctrl and Alt held: Alt goes first", {{0xA2, kDown}, {0xA4, kDown}}, {{0xA4, 1, 0}, {0xA2, 1, 0}}},
      {"Tab pressed twice", {{0x09, kDown}, {0x41, kDown}, {0x41, kUp}, {0x09, kDown}}, {{0x09, 1, 0}}},
      {"the on-screen left button", {{0xC1, kDown}}, {{0xC1, 1, 0}}},
      {"a key released that went down before the recording", {{0x11, kUp}}, {}},
  };
  // However the recording ends.
  const struct {
    const char* what;
    void (*stop)(MacroEditor&);
  } stops[] = {
      {"record button", [](MacroEditor& e) { e.Record(); }},
      {"another macro", [](MacroEditor& e) { e.SelectMacro(1); }},
      {"new macro", [](MacroEditor& e) { e.NewMacro(); }},
      {"OK", [](MacroEditor& e) { e.Ok(); }},
  };
  for (const auto& stop : stops) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(stop.what) + ": " + c.what);
      RecordInto(2, 0);
      for (const auto& [vk, flags] : c.reports) Key(vk, flags);
      std::vector<Event> expected = Events(0);
      expected.insert(expected.end(), c.added.begin(), c.added.end());
      stop.stop(editor);
      EXPECT_EQ(Events(0), expected);
      // The same keys' releases, arriving late, add nothing.
      for (const auto& [vk, flags] : c.reports) Key(vk, kUp);
      EXPECT_EQ(Events(0), expected);
    }
  }
  // OK stores the releases with the macro.
  RecordInto(1, 0);
  Key(0xA0, kDown);
  ASSERT_TRUE(editor.Ok());
  EXPECT_EQ(macro::TheMacroStore.macros[0].eventCount, 2);
  EXPECT_EQ(macro::TheMacroStore.macros[0].events[1].vk, 0xA0);
  EXPECT_EQ(macro::TheMacroStore.macros[0].events[1].released, 1);
}

TEST_F(MacroEditorTest, TheReleasesAddedAtTheEndAreListed) {
  RecordInto(1, 0);
  Key(0xA2, kDown);
  Key(0x43, kDown);
  editor.Record();
  EXPECT_EQ(shown.eventRows, (std::vector<ShownEditor::Row>{{u"LCtrl", RowKind::KeyPress},
                                                            {u"C", RowKind::KeyPress},
                                                            {u"C", RowKind::KeyRelease},
                                                            {u"LCtrl", RowKind::KeyRelease}}));
  EXPECT_EQ(shown.selectedEvent, 3);
}

TEST_F(MacroEditorTest, RecordingStopsAtOneHundredAndNinetyNineEventsKeepingRoomForReleases) {
  // Typing on and on: the last press that fits is the one whose release
  // still fits, so the macro ends released, one event short of the limit.
  RecordInto(1, 0);
  for (int i = 0; i < 250; ++i) Key(0x41, i % 2 ? kUp : kDown);
  EXPECT_EQ(list.Macro(0)->eventCount, 198);
  EXPECT_EQ(list.Macro(0)->events[197].released, 1);
  editor.Record();
  EXPECT_EQ(list.Macro(0)->eventCount, 198);
  EXPECT_EQ(shown.eventRows.size(), 198u);

  // Shift held the whole time: room for its release is kept as well, and
  // it comes last.
  RecordInto(1, 0);
  Key(0xA0, kDown);
  for (int i = 0; i < 250; ++i) Key(0x41, i % 2 ? kUp : kDown);
  EXPECT_EQ(list.Macro(0)->eventCount, 197);
  editor.Record();
  ASSERT_EQ(list.Macro(0)->eventCount, 198);
  EXPECT_EQ(Events(0)[196], (Event{0x41, 1, 0}));
  EXPECT_EQ(Events(0)[197], (Event{0xA0, 1, 0}));

  // A release owed takes the very last of the 199 places.
  RecordInto(1, 0);
  Key(0xA0, kDown);
  for (int i = 0; i < 250; ++i) Key(0x41, i % 2 ? kUp : kDown);
  Key(0x42, kDown);  // no room for B's press and both releases
  Key(0x42, kUp);    // a release owes nothing: it fits beside Shift's
  Key(0xA0, kUp);
  ASSERT_EQ(list.Macro(0)->eventCount, 199);
  EXPECT_EQ(Events(0)[197], (Event{0x42, 1, 0}));
  EXPECT_EQ(Events(0)[198], (Event{0xA0, 1, 0}));
  EXPECT_EQ(list.Macro(0)->events[199].vk, 0);
}

TEST_F(MacroEditorTest, EachEventTakesTheLoopSettingsShown) {
  RecordInto(1, 0);
  editor.ToggleLoop();
  editor.LoopCountTyped(u"7");
  Key(0x41, kDown);
  EXPECT_EQ(list.Macro(0)->loopEnabled, 1);
  EXPECT_EQ(list.Macro(0)->loopCount, 7);
  EXPECT_TRUE(editor.Recording());  // neither the switch nor the box stop it
}

TEST_F(MacroEditorTest, NothingIsRecordedWithoutAMacroOrWithoutTheLibrary) {
  FillStore(2);
  editor.Open(-1);
  editor.Record();
  EXPECT_FALSE(editor.Recording());
  EXPECT_TRUE(hook.statuses.empty());

  hook.present = false;
  editor.SelectMacro(1);
  editor.Record();
  EXPECT_FALSE(editor.Recording());
  EXPECT_FALSE(shown.recording);
  Key(0x41, kDown);
  EXPECT_EQ(Events(1), (std::vector<Event>{{0x41, 0, 0}}));  // as stored
}

TEST_F(MacroEditorTest, EveryOtherCommandStopsTheRecordingFirst) {
  struct Case {
    const char* what;
    void (*command)(MacroEditor&);
  };
  const Case cases[] = {
      {"select", [](MacroEditor& e) { e.SelectMacro(1); }},
      {"new", [](MacroEditor& e) { e.NewMacro(); }},
      {"delete", [](MacroEditor& e) { e.DeleteMacro(); }},
      {"modify", [](MacroEditor& e) { e.ModifyPause(0, u"100"); }},
      {"rename", [](MacroEditor& e) { e.RenameMacro(0, u"x"); }},
      {"OK", [](MacroEditor& e) { e.Ok(); }},
      {"cancel", [](MacroEditor& e) { e.Cancel(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    hook.statuses.clear();
    RecordInto(2, 0);
    c.command(editor);
    EXPECT_FALSE(editor.Recording());
    EXPECT_FALSE(shown.recording);
    EXPECT_EQ(hook.statuses.back(), 0);
    // Reports that were still queued are not recorded.
    const std::size_t rows = shown.eventRows.size();
    Key(0x5A, kDown);
    EXPECT_EQ(shown.eventRows.size(), rows);
  }
}

TEST_F(MacroEditorTest, ANewRecordingTakesItsFirstKeyEvenWhenItEndedTheLastOne) {
  RecordInto(1, 0);
  Key(0x41, kDown);
  Key(0x41, kUp);
  editor.Record();  // stop
  editor.Record();  // and start again on the same macro
  Key(0x41, kUp);
  EXPECT_EQ(Events(0), (std::vector<Event>{{0x41, 1, 0}}));
}

TEST_F(MacroEditorTest, OpeningSelectsTheCallersMacroWhenItExists) {
  FillStore(3);
  macro::TheMacroStore.macros[2].loopEnabled = 1;
  macro::TheMacroStore.macros[2].loopCount = 5;
  macro::TheMacroStore.macros[2].recordDelays = 1;
  macro::TheMacroStore.macros[2].events[0].delayMs = 350;
  editor.Open(2);
  EXPECT_EQ(shown.macroRows, (std::vector<std::u16string>{u"M0", u"M1", u"M2"}));
  EXPECT_EQ(shown.selectedMacro, 2);
  EXPECT_EQ(shown.eventRows, (std::vector<ShownEditor::Row>{{u"A", RowKind::KeyPress}, {u"350 ms", RowKind::Pause}}));
  EXPECT_TRUE(shown.loopOn);
  EXPECT_EQ(shown.countText, u"5");
  EXPECT_TRUE(shown.countEnabled);
  EXPECT_TRUE(shown.delayOn);

  // Past the end: nothing selected, and OK gives the same index back.
  editor.Open(7);
  EXPECT_EQ(shown.selectedMacro, -1);
  EXPECT_TRUE(shown.eventRows.empty());
  EXPECT_FALSE(shown.countEnabled);
  EXPECT_TRUE(editor.Ok());
  EXPECT_EQ(editor.ChosenMacro(), 7);
}

TEST_F(MacroEditorTest, TheCountBoxShowsAtLeastOnePlay) {
  struct Case {
    int32_t loopEnabled;
    int32_t loopCount;
    const char16_t* text;
  };
  const Case cases[] = {{0, 0, u"1"}, {1, 1, u"1"}, {1, -4, u"1"}, {1, 5, u"5"}, {0, 12, u"12"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loopCount);
    FillStore(1);
    macro::TheMacroStore.macros[0].loopEnabled = c.loopEnabled;
    macro::TheMacroStore.macros[0].loopCount = c.loopCount;
    editor.Open(0);
    EXPECT_EQ(shown.countText, c.text);
    EXPECT_EQ(shown.countEnabled, c.loopEnabled != 0);
  }
}

TEST_F(MacroEditorTest, KeysWithoutANameStayInTheMacroButAreNotListed) {
  FillStore(1);
  macro::tagMACROINFO& m = macro::TheMacroStore.macros[0];
  m.eventCount = 3;
  m.events[0] = {0xFF, 0, {}, 120};  // no name: neither it nor its pause is listed
  m.events[1] = {0x0D, 0, {}, 0};
  m.events[2] = {0x0D, 1, {}, 40};
  editor.Open(0);
  EXPECT_EQ(shown.eventRows, (std::vector<ShownEditor::Row>{{u"Enter", RowKind::KeyPress},
                                                            {u"Enter", RowKind::KeyRelease},
                                                            {u"40 ms", RowKind::Pause}}));
  EXPECT_EQ(list.Macro(0)->eventCount, 3);
}

TEST_F(MacroEditorTest, ModifyChangesOnlyASelectedPause) {
  FillStore(1);
  macro::tagMACROINFO& m = macro::TheMacroStore.macros[0];
  m.eventCount = 3;
  m.events[0] = {0x41, 0, {}, 30};
  m.events[1] = {0xFF, 0, {}, 0};
  m.events[2] = {0x41, 1, {}, 60};
  editor.Open(0);
  // Rows: A press, 30 ms, A release, 60 ms.
  struct Case {
    int32_t row;
    const char16_t* box;
    int32_t first;
    int32_t last;
  };
  const Case cases[] = {
      {0, u"500", 30, 60},    // a key row: nothing
      {1, u"500", 500, 60},   // the pause after the press
      {3, u"75", 500, 75},    // the pause after the release, past the unnamed event
      {3, u"0", 500, 1},      // at least 1 ms
      {9, u"200", 500, 1},    // no such row
      {1, u"60000", 60000, 1},  // a minute at most
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    editor.ModifyPause(c.row, c.box);
    EXPECT_EQ(list.Macro(0)->events[0].delayMs, c.first);
    EXPECT_EQ(list.Macro(0)->events[2].delayMs, c.last);
  }
  EXPECT_TRUE(shown.messages.empty());
  editor.ModifyPause(1, u"250");
  EXPECT_EQ(shown.eventRows[1], (ShownEditor::Row{u"250 ms", RowKind::Pause}));
  EXPECT_EQ(shown.selectedEvent, 1);
}

TEST_F(MacroEditorTest, APauseOutsideOneMinuteOrNotInDigitsIsRefusedWithAMessage) {
  FillStore(1);
  macro::tagMACROINFO& m = macro::TheMacroStore.macros[0];
  m.eventCount = 1;
  m.events[0] = {0x41, 0, {}, 30};
  editor.Open(0);  // rows: A press, 30 ms
  for (const char16_t* box : {u"60001", u"2147483647", u"4294967297", u"99999999999999999999", u"", u"abc",
                              u"12a", u"-5", u" 250"}) {
    SCOPED_TRACE(platform::NarrowAscii(box));
    shown.messages.clear();
    editor.ModifyPause(1, box);
    EXPECT_EQ(list.Macro(0)->events[0].delayMs, 30);
    EXPECT_EQ(shown.messages, (std::vector<std::u16string>{u"Pause from 1 to 60000 ms."}));
  }
}

TEST(MacroPauseText, DigitsUpToOneMinuteAreAPause) {
  struct Case {
    const char16_t* text;
    bool accepted;
    int32_t ms;
  };
  const Case cases[] = {{u"0", true, 0},          {u"1", true, 1},          {u"250", true, 250},
                        {u"060000", true, 60000}, {u"60000", true, 60000},  {u"60001", false, 0},
                        {u"65536", false, 0},     {u"4294967296", false, 0}, {u"", false, 0},
                        {u"+5", false, 0},        {u"5 ", false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::NarrowAscii(c.text));
    int32_t ms = -1;
    EXPECT_EQ(macro::ReadPause(c.text, ms), c.accepted);
    if (c.accepted) EXPECT_EQ(ms, c.ms);
  }
}

TEST(MacroNameEdit, TypingIsHeldToTenCharactersButANameAsItWasStaysWhole) {
  struct Case {
    const char* what;
    const char16_t* stored;
    const char16_t* edited;
    const char16_t* name;
  };
  const Case cases[] = {
      {"typed over a short name", u"New macro", u"Signature123", u"Signature1"},
      {"a 13-character name left as it was", u"Macro nouveau", u"Macro nouveau", u"Macro nouveau"},
      {"the long name shortened", u"Macro nouveau", u"Macro nouvea", u"Macro nouvea"},
      {"replaced by ten typed", u"Macro nouveau", u"abcdefghij", u"abcdefghij"},
      {"a short name left as it was", u"M0", u"M0", u"M0"},
      {"emptied", u"Macro nouveau", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(macro::RenamedName(c.stored, c.edited), c.name);
  }
}

TEST_F(MacroEditorTest, AnUnchangedLongNameSurvivesRenaming) {
  FillStore(1);
  macro::SetMacroName(macro::TheMacroStore.macros[0], u"Macro nouveau");
  editor.Open(0);
  editor.RenameMacro(0, u"Macro nouveau");  // the edit opened and closed again
  EXPECT_EQ(macro::MacroName(*list.Macro(0)), u"Macro nouveau");
  EXPECT_EQ(shown.macroRows[0], u"Macro nouveau");
  EXPECT_TRUE(editor.Ok());
  EXPECT_EQ(macro::MacroName(macro::TheMacroStore.macros[0]), u"Macro nouveau");
}

TEST_F(MacroEditorTest, RenamingKeepsTenCharactersAndAnEmptyNameGetsTheDefault) {
  FillStore(2);
  editor.Open(0);
  editor.RenameMacro(1, u"Signature12");  // the window's edit already stops at ten
  EXPECT_EQ(macro::MacroName(*list.Macro(1)), u"Signature1");
  editor.RenameMacro(0, u"");
  EXPECT_EQ(macro::MacroName(*list.Macro(0)), u"New macro");
  EXPECT_EQ(shown.macroRows[0], u"New macro");
  editor.RenameMacro(-1, u"ignored");
  EXPECT_EQ(macro::MacroName(*list.Macro(0)), u"New macro");
  // Nothing reaches the store before OK.
  EXPECT_EQ(macro::MacroName(macro::TheMacroStore.macros[1]), u"M1");
  EXPECT_TRUE(editor.Ok());
  EXPECT_EQ(macro::MacroName(macro::TheMacroStore.macros[1]), u"Signature1");
}

TEST_F(MacroEditorTest, DeletingSelectsTheRowThatTookItsPlace) {
  FillStore(3);
  config::ActiveSettings.mouseButtonCount = 1;
  config::ActiveSettings.mouseAssignments[0].functionCode = config::FN_MACRO;
  config::ActiveSettings.mouseAssignments[0].macroIndex = 0;  // M0 is in use
  macro::TheMacroStore.macros[2].loopEnabled = 1;
  macro::TheMacroStore.macros[2].loopCount = 4;

  editor.Open(1);
  editor.DeleteMacro();  // M1: M2 moves up and is shown
  EXPECT_EQ(shown.macroRows, (std::vector<std::u16string>{u"M0", u"M2"}));
  EXPECT_EQ(shown.selectedMacro, 1);
  EXPECT_EQ(editor.ChosenMacro(), 1);
  EXPECT_EQ(shown.countText, u"4");

  editor.DeleteMacro();  // M2, the last row: M0 before it is selected
  EXPECT_EQ(shown.selectedMacro, 0);
  EXPECT_EQ(editor.ChosenMacro(), 0);

  editor.DeleteMacro();  // M0 is played by a button
  EXPECT_EQ(shown.messages, (std::vector<std::u16string>{u"This macro is in use."}));
  EXPECT_EQ(shown.macroRows, (std::vector<std::u16string>{u"M0"}));

  config::ActiveSettings.mouseAssignments[0].functionCode = config::FN_COPY;
  editor.ToggleLoop();
  editor.DeleteMacro();  // the last macro: nothing left to show
  EXPECT_TRUE(shown.macroRows.empty());
  EXPECT_EQ(editor.ChosenMacro(), -1);
  EXPECT_FALSE(shown.loopOn);
  EXPECT_EQ(shown.countText, u"1");
  EXPECT_FALSE(shown.countEnabled);
  editor.DeleteMacro();  // nothing selected: nothing happens
  EXPECT_EQ(shown.messages.size(), 1u);
}

TEST_F(MacroEditorTest, ANewMacroIsSelectedEmptyAndTheHundredFirstIsRefused) {
  FillStore(99);
  macro::TheMacroStore.macros[0].loopEnabled = 1;
  macro::TheMacroStore.macros[0].loopCount = 3;
  editor.Open(0);
  editor.NewMacro();
  EXPECT_EQ(shown.macroRows.back(), u"New macro");
  EXPECT_EQ(shown.selectedMacro, 99);
  EXPECT_EQ(editor.ChosenMacro(), 99);
  EXPECT_TRUE(shown.eventRows.empty());
  EXPECT_FALSE(shown.loopOn);
  EXPECT_EQ(shown.countText, u"1");
  EXPECT_FALSE(shown.countEnabled);

  editor.NewMacro();
  EXPECT_EQ(shown.macroRows.size(), 100u);
  EXPECT_EQ(shown.messages, (std::vector<std::u16string>{u"    The number of macro is up to the maximum    "}));
  EXPECT_EQ(editor.ChosenMacro(), 99);
}

TEST_F(MacroEditorTest, TheLoopSwitchStoresAPlausibleCountAndTypingStoresTheText) {
  FillStore(1);
  editor.Open(0);
  editor.LoopCountTyped(u"150");
  EXPECT_EQ(list.Macro(0)->loopCount, 150);  // typed: kept as typed
  editor.ToggleLoop();
  EXPECT_TRUE(shown.countEnabled);
  EXPECT_EQ(list.Macro(0)->loopEnabled, 1);
  EXPECT_EQ(list.Macro(0)->loopCount, 1);  // switched: outside 1 to 99 is 1
  editor.LoopCountTyped(u"12");
  editor.ToggleLoop();
  EXPECT_FALSE(shown.countEnabled);
  EXPECT_EQ(list.Macro(0)->loopEnabled, 0);
  EXPECT_EQ(list.Macro(0)->loopCount, 12);
}

TEST_F(MacroEditorTest, CancelStoresNothing) {
  FillStore(2);
  const macro::MacroStore before = macro::TheMacroStore;
  editor.Open(0);
  editor.Record();
  Key(0x41, kDown);
  editor.RenameMacro(1, u"Changed");
  editor.NewMacro();
  editor.Cancel();
  EXPECT_EQ(std::memcmp(&macro::TheMacroStore, &before, sizeof(before)), 0);
  EXPECT_EQ(registry.WriteCount(config::kMacroKey, config::kMacroValue), 0);
}

TEST_F(MacroEditorTest, OkThatCannotStoreWarnsAndKeepsTheEdits) {
  FillStore(2);
  editor.Open(0);
  editor.NewMacro();
  registry.DenyAccess(config::kMacroKey);
  EXPECT_FALSE(editor.Ok());
  EXPECT_EQ(shown.messages, (std::vector<std::u16string>{u"       Error code: 0x68       "}));
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_EQ(macro::TheMacroStore.macroCount, 2);
}

}  // namespace
