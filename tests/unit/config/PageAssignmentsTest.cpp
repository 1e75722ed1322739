// The assignment pages' view of the settings: their resets, their labels,
// the keys marked as changed and which copy they show.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/PageAssignments.h"
#include "config/SettingsStore.h"
#include "fakes/ConfigFixtures.h"
#include "text/LabelTable.h"

namespace {

using config::tagVARNOK24G_DATA_;
using testing_config::BytesOf;

// Every record holds a picked function and the parameters of earlier picks.
tagVARNOK24G_DATA_ EditedSettings() {
  tagVARNOK24G_DATA_ settings{};
  settings.mouseButtonCount = 9;
  settings.keyCount = 9;
  auto fill = [](config::ButtonAssignment& record, size_t i) {
    record.buttonIndex = static_cast<uint8_t>(40 + i);
    record.functionCode = 65;
    record.macroIndex = 4;
    record.comboModifiers = 0x02;
    record.comboKey1 = 0x43;
    record.comboKey2 = 0xC2;
    config::SetProgramPath(record, u"C:\\calc.exe");
  };
  for (size_t i = 0; i < config::kMaxMouseButtons; ++i) fill(settings.mouseAssignments[i], i);
  for (size_t i = 0; i < config::kMaxKeys; ++i) fill(settings.keyAssignments[i], i);
  settings.wheelScrollLines = 3;
  settings.scrollSetting = 3;
  return settings;
}

const config::tagVARNOK24G_UI_INFORMATION kSet =
    testing_config::MakeDevice(u"Varnok Duo S8", 0x9080, 3, {1, 2, 3, 5}, {96, 97, 115});

TEST(PageAssignments, MouseResetGivesBackPositionsAndOwnCodesOnly) {
  tagVARNOK24G_DATA_ settings = EditedSettings();
  const tagVARNOK24G_DATA_ before = settings;
  config::RestoreMousePageDefaults(settings, kSet);
  EXPECT_EQ(settings.mouseButtonCount, 4);
  const uint8_t codes[] = {1, 2, 3, 5};
  for (size_t i = 0; i < config::kMaxMouseButtons; ++i) {
    SCOPED_TRACE(i);
    config::ButtonAssignment expected = before.mouseAssignments[i];
    if (i < 4) {
      expected.buttonIndex = static_cast<uint8_t>(i);
      expected.functionCode = codes[i];
    }
    EXPECT_EQ(BytesOf(settings.mouseAssignments[i]), BytesOf(expected));
  }
  // The keyboard's half is not the mouse page's business.
  EXPECT_EQ(BytesOf(settings.keyAssignments), BytesOf(before.keyAssignments));
  EXPECT_EQ(settings.keyCount, 9);
}

TEST(PageAssignments, KeyboardResetClearsEveryKeyRecordWhole) {
  tagVARNOK24G_DATA_ settings = EditedSettings();
  const tagVARNOK24G_DATA_ before = settings;
  config::RestoreKeyboardPageDefaults(settings, kSet);
  EXPECT_EQ(settings.keyCount, 3);
  const uint8_t codes[] = {96, 97, 115};
  for (size_t i = 0; i < config::kMaxKeys; ++i) {
    SCOPED_TRACE(i);
    config::ButtonAssignment expected{};
    if (i < 3) {
      expected.buttonIndex = static_cast<uint8_t>(i);
      expected.functionCode = codes[i];
    }
    EXPECT_EQ(BytesOf(settings.keyAssignments[i]), BytesOf(expected));
  }
  EXPECT_EQ(BytesOf(settings.mouseAssignments), BytesOf(before.mouseAssignments));
  EXPECT_EQ(settings.mouseButtonCount, 9);
}

TEST(PageAssignments, ChangedKeysCompareTheAppliedFunctionWithTheKeysOwnCode) {
  tagVARNOK24G_DATA_ applied{};
  config::RestoreKeyboardPageDefaults(applied, kSet);
  EXPECT_EQ(config::ChangedKeys(applied, kSet), (std::vector<bool>{false, false, false}));
  applied.keyAssignments[1].functionCode = 21;
  applied.keyAssignments[5].functionCode = 21;  // beyond the device's keys
  EXPECT_EQ(config::ChangedKeys(applied, kSet), (std::vector<bool>{false, true, false}));
}

TEST(PageAssignments, OnlyAPickShowsTheEditedCopy) {
  const tagVARNOK24G_DATA_ applied{}, working{};
  using config::PageRefresh;
  for (PageRefresh refresh : {PageRefresh::Initialised, PageRefresh::WindowShown, PageRefresh::Reloaded,
                              PageRefresh::ModelSwitched, PageRefresh::Reset})
    EXPECT_EQ(&config::RecordToShow(refresh, applied, working), &applied) << static_cast<int>(refresh);
  EXPECT_EQ(&config::RecordToShow(PageRefresh::Picked, applied, working), &working);
}

TEST(PageAssignments, LabelsOfThePagesButtonsFromTheirRecords) {
  testing_config::ResetConfiguration();
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_copy"), u"Copy");
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_click"), u"Left click");
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_kbmedia_back"), u"Back");
  tagVARNOK24G_DATA_ settings{};
  config::RestoreMousePageDefaults(settings, kSet);
  config::RestoreKeyboardPageDefaults(settings, kSet);
  settings.mouseAssignments[1].functionCode = 65;
  settings.keyAssignments[2].functionCode = 25;
  config::SetProgramPath(settings.keyAssignments[2], u"C:\\Tools\\run.exe");
  const auto mouse = config::PageLabels(settings, config::AssignmentPage::Mouse, kSet);
  ASSERT_EQ(mouse.size(), 4u);
  EXPECT_EQ(mouse[0], u"Left click");
  EXPECT_EQ(mouse[1], u"Copy");
  const auto keys = config::PageLabels(settings, config::AssignmentPage::Keyboard, kSet);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0], u"Back");
  EXPECT_EQ(keys[2], u"run.exe");
  LabelTable::Instance().Clear();
}

}  // namespace
