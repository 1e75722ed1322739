#include <gtest/gtest.h>

#include <cstring>

#include "config/FunctionCodes.h"
#include "config/MacroStore.h"
#include "config/SettingsStore.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/RecordingMessages.h"
#include "macro/MacroList.h"
#include "platform/MemoryRegistry.h"
#include "platform/WideText.h"
#include "text/LabelTable.h"

namespace {

using macro::MacroList;
using macro::MacroStore;
using macro::TheMacroStore;

void SetLabel(const char* key, const std::u16string& text) {
  LabelTable::Instance().Set(LabelTable::IndexOf(key), text);
}

class MacroListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_config::ResetConfiguration();
    SetLabel("tc_new_macro", u"New macro");
    SetLabel("tc_macro_msg3", u"This macro is in use.");
    SetLabel("tc_mouse_title", u"Varnok Configuration");
    registry.PutValue(config::kMacroKey, config::kMacroValue, platform::kRegBinary, {});
  }
  void TearDown() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Clear();
  }

  // A store of macros named "M0", "M1", ...
  static void FillStore(int count) {
    std::memset(&TheMacroStore, 0, sizeof(TheMacroStore));
    for (int i = 0; i < count && i < 100; ++i) {
      macro::SetMacroName(TheMacroStore.macros[i], u"M" + platform::WidenAscii(std::to_string(i)));
      TheMacroStore.macros[i].eventCount = 1;
    }
    TheMacroStore.macroCount = count;
  }

  // Button `position` of the current mouse plays macro `index`.
  static void AssignMacro(config::tagVARNOK24G_DATA_& settings, int position, uint8_t index) {
    settings.mouseButtonCount = std::max(settings.mouseButtonCount, position + 1);
    settings.mouseAssignments[position].functionCode = config::FN_MACRO;
    settings.mouseAssignments[position].macroIndex = index;
  }

  static std::vector<std::u16string> Names(const MacroList& list) {
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < list.Count(); ++i) names.push_back(macro::MacroName(*list.Macro(i)));
    return names;
  }

  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> installed{registry};
  RecordingMessages messages;
  MacroList list;
};

TEST_F(MacroListTest, LoadTakesTheStoredCountWithinZeroToAHundred) {
  struct Case {
    int32_t storedCount;
    std::size_t listed;
  };
  const Case cases[] = {{3, 3}, {0, 0}, {100, 100}, {150, 100}, {-5, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.storedCount);
    FillStore(100);
    TheMacroStore.macroCount = c.storedCount;
    list.LoadMacroList();
    ASSERT_EQ(list.Count(), c.listed);
    if (c.listed > 0) EXPECT_EQ(macro::MacroName(*list.Macro(c.listed - 1)), u"M" + platform::WidenAscii(std::to_string(c.listed - 1)));
  }
}

TEST_F(MacroListTest, DeletingRenumbersTheAssignmentsWhenSaved) {
  FillStore(3);
  AssignMacro(config::ActiveSettings, 0, 2);
  AssignMacro(config::WorkingSettings, 1, 2);
  AssignMacro(config::WorkingSettings, 2, 0);
  // A record beyond the button count is not an assignment and keeps its byte.
  config::ActiveSettings.mouseAssignments[9].functionCode = config::FN_MACRO;
  config::ActiveSettings.mouseAssignments[9].macroIndex = 2;
  list.LoadMacroList();

  ASSERT_TRUE(list.DeleteMacro(1, messages));
  EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"M0", u"M2"}));
  // Nothing outside the list changes before the editor's OK.
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[0].macroIndex, 2);
  EXPECT_EQ(TheMacroStore.macroCount, 3);

  EXPECT_TRUE(list.SaveMacros());
  EXPECT_EQ(TheMacroStore.macroCount, 2);
  EXPECT_EQ(macro::MacroName(TheMacroStore.macros[1]), u"M2");
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[0].macroIndex, 1);
  EXPECT_EQ(config::WorkingSettings.mouseAssignments[1].macroIndex, 1);
  EXPECT_EQ(config::WorkingSettings.mouseAssignments[2].macroIndex, 0);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[9].macroIndex, 2);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MacroListTest, DroppingTheListAfterChangesLeavesStoreAndAssignmentsAsTheyWere) {
  FillStore(3);
  AssignMacro(config::ActiveSettings, 0, 2);
  const MacroStore before = TheMacroStore;
  const auto registryBefore = registry.GetValue(config::kMacroKey, config::kMacroValue);
  list.LoadMacroList();
  ASSERT_TRUE(list.DeleteMacro(0, messages));
  ASSERT_TRUE(list.AddMacro(messages));
  ASSERT_TRUE(list.RenameMacro(0, u"Renamed"));

  list.LoadMacroList();  // the editor opens again without having saved

  EXPECT_EQ(std::memcmp(&TheMacroStore, &before, sizeof(before)), 0);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[0].macroIndex, 2);
  EXPECT_EQ(registry.GetValue(config::kMacroKey, config::kMacroValue)->bytes, registryBefore->bytes);
  EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"M0", u"M1", u"M2"}));
}

TEST_F(MacroListTest, MacroInUseIsNotDeleted) {
  FillStore(3);
  struct Case {
    const char* what;
    bool working;
    int position;
  };
  const Case cases[] = {{"applied", false, 0}, {"being edited", true, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_config::ResetConfiguration();
    FillStore(3);
    AssignMacro(c.working ? config::WorkingSettings : config::ActiveSettings, c.position, 1);
    list.LoadMacroList();
    messages.shown.clear();

    EXPECT_TRUE(list.IsMacroInUse(1));
    EXPECT_FALSE(list.DeleteMacro(1, messages));
    EXPECT_EQ(list.Count(), 3u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, u"This macro is in use.");
    EXPECT_EQ(messages.shown[0].caption, u"Varnok Configuration");
  }
}

TEST_F(MacroListTest, InUseFollowsTheMacroAfterEarlierDeletions) {
  FillStore(3);
  AssignMacro(config::ActiveSettings, 0, 1);
  list.LoadMacroList();
  ASSERT_TRUE(list.DeleteMacro(0, messages));
  // The used macro "M1" now sits at position 0, "M2" (free) at position 1.
  EXPECT_TRUE(list.IsMacroInUse(0));
  EXPECT_FALSE(list.IsMacroInUse(1));
  EXPECT_FALSE(list.DeleteMacro(0, messages));
  EXPECT_TRUE(list.DeleteMacro(1, messages));
  EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"M1"}));
}

TEST_F(MacroListTest, AssignmentsOfOtherFunctionsOrBeyondTheCountsDoNotHoldAMacro) {
  FillStore(2);
  config::ActiveSettings.mouseButtonCount = 2;
  config::ActiveSettings.mouseAssignments[0].functionCode = config::FN_COPY;  // stale macroIndex 0
  config::ActiveSettings.mouseAssignments[2].functionCode = config::FN_MACRO;  // beyond the count
  config::ActiveSettings.keyCount = 0;
  config::ActiveSettings.keyAssignments[0].functionCode = config::FN_MACRO;
  list.LoadMacroList();
  EXPECT_FALSE(list.IsMacroInUse(0));
}

TEST_F(MacroListTest, DamagedCountsInTheSettingsStayInsideTheRecord) {
  FillStore(2);
  config::ActiveSettings.mouseButtonCount = 100000;
  config::ActiveSettings.keyCount = -7;
  config::ActiveSettings.keyAssignments[19].functionCode = config::FN_MACRO;
  config::ActiveSettings.keyAssignments[19].macroIndex = 1;
  config::ActiveSettings.mouseAssignments[14].functionCode = config::FN_MACRO;
  config::ActiveSettings.mouseAssignments[14].macroIndex = 0;
  list.LoadMacroList();
  EXPECT_TRUE(list.IsMacroInUse(0));   // the last mouse record is read...
  EXPECT_FALSE(list.IsMacroInUse(1));  // ...and no key record, as the key count is negative
}

TEST_F(MacroListTest, TheHundredAndFirstMacroIsRefusedWithAWarning) {
  FillStore(99);
  list.LoadMacroList();
  ASSERT_TRUE(list.AddMacro(messages));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(list.AddMacro(messages));
  EXPECT_EQ(list.Count(), 100u);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, u"    The number of macro is up to the maximum    ");
  EXPECT_EQ(messages.shown[0].caption, u"Warning");

  EXPECT_TRUE(list.SaveMacros());
  EXPECT_EQ(TheMacroStore.macroCount, 100);
  EXPECT_EQ(macro::MacroName(TheMacroStore.macros[99]), u"New macro");
}

TEST_F(MacroListTest, NewMacroIsEmptyAndNamedFromTheLanguageFile) {
  list.LoadMacroList();
  ASSERT_TRUE(list.AddMacro(messages));
  const macro::tagMACROINFO& added = *list.Macro(0);
  EXPECT_EQ(macro::MacroName(added), u"New macro");
  EXPECT_EQ(added.eventCount, 0);
  EXPECT_EQ(added.loopEnabled, 0);
  EXPECT_EQ(added.loopCount, 0);
}

TEST_F(MacroListTest, RenamingKeepsAtMost259UnitsAndAnEmptyNameBecomesTheDefault) {
  FillStore(1);
  list.LoadMacroList();
  ASSERT_TRUE(list.RenameMacro(0, u""));
  EXPECT_EQ(macro::MacroName(*list.Macro(0)), u"New macro");
  ASSERT_TRUE(list.RenameMacro(0, std::u16string(300, u'x')));
  EXPECT_EQ(macro::MacroName(*list.Macro(0)), std::u16string(259, u'x'));
  EXPECT_EQ(list.Macro(0)->macroName[259], u'\0');
  EXPECT_FALSE(list.RenameMacro(1, u"nobody"));
}

TEST_F(MacroListTest, SavingZeroesEverySlotBeyondTheList) {
  FillStore(6);
  TheMacroStore.macroCount = 3;  // slots 3 to 5 hold old macros
  list.LoadMacroList();
  ASSERT_TRUE(list.DeleteMacro(0, messages));
  ASSERT_TRUE(list.SaveMacros());

  const macro::tagMACROINFO zero{};
  for (int slot = 2; slot < 100; ++slot)
    EXPECT_EQ(std::memcmp(&TheMacroStore.macros[slot], &zero, sizeof(zero)), 0) << "slot " << slot;
  auto stored = registry.GetValue(config::kMacroKey, config::kMacroValue);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(std::memcmp(stored->bytes.data(), &TheMacroStore, sizeof(TheMacroStore)), 0);
}

TEST_F(MacroListTest, LoopDelayAndClearingEditOneMacro) {
  FillStore(1);
  TheMacroStore.macros[0].eventCount = 2;
  TheMacroStore.macros[0].events[0] = {0x41, 0, {}, 30};
  list.LoadMacroList();

  struct LoopCase {
    int32_t count;
    int32_t stored;
  };
  for (const LoopCase& c : {LoopCase{5, 5}, LoopCase{99, 99}, LoopCase{0, 1}, LoopCase{100, 1}, LoopCase{-3, 1}}) {
    ASSERT_TRUE(list.SetLoop(0, true, c.count));
    EXPECT_EQ(list.Macro(0)->loopCount, c.stored) << c.count;
  }
  ASSERT_TRUE(list.SetLoopCount(0, 500));  // typed into the box: kept as typed
  EXPECT_EQ(list.Macro(0)->loopCount, 500);
  EXPECT_EQ(list.Macro(0)->loopEnabled, 1);

  ASSERT_TRUE(list.SetEventDelay(0, 1, 0));
  EXPECT_EQ(list.Macro(0)->events[1].delayMs, 1);
  ASSERT_TRUE(list.SetEventDelay(0, 0, 250));
  EXPECT_EQ(list.Macro(0)->events[0].delayMs, 250);
  EXPECT_FALSE(list.SetEventDelay(0, 2, 10));  // beyond the recorded events

  ASSERT_TRUE(list.ClearEvents(0));
  const macro::tagMACROINFO& cleared = *list.Macro(0);
  EXPECT_EQ(macro::MacroName(cleared), u"M0");
  EXPECT_EQ(cleared.eventCount, 0);
  EXPECT_EQ(cleared.loopEnabled, 0);
  EXPECT_EQ(cleared.events[0].vk, 0);
}

TEST(MacroStoreTest, StoredNamesAndCountsAreReadWithinTheRecord) {
  macro::tagMACROINFO macro{};
  std::fill(std::begin(macro.macroName), std::end(macro.macroName), u'n');  // no terminator
  macro.eventCount = 0xFFFF;
  EXPECT_EQ(macro::MacroName(macro), std::u16string(260, u'n'));
  EXPECT_EQ(macro::UsedEventCount(macro), 199u);
  EXPECT_EQ(macro::MacroSlot(TheMacroStore, 99), &TheMacroStore.macros[99]);
  EXPECT_EQ(macro::MacroSlot(TheMacroStore, 100), nullptr);
}

}  // namespace
