#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "config/ButtonAssignment.h"
#include "config/FunctionCodes.h"
#include "config/FunctionLabel.h"
#include "config/MacroStore.h"
#include "fakes/ConfigFixtures.h"
#include "text/LabelTable.h"

namespace {

using config::FunctionLabel;

class FunctionLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_max_win"), u"Maximize window");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_copy"), u"Copy");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_combokey"), u"Key combination");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_advance"), u"Windows");
  }
  void TearDown() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Clear();
  }

  static config::ButtonAssignment Record(uint8_t function) {
    config::ButtonAssignment record{};
    record.functionCode = function;
    return record;
  }
};

TEST_F(FunctionLabelTest, FixedLabelsComeFromTheLanguageTable) {
  struct Case {
    uint8_t function;
    const char16_t* label;
  };
  const Case cases[] = {
      {config::FN_MAXIMIZE, u"Maximize window"},
      {config::FN_MAXIMIZE_ALT, u"Maximize window"},
      {config::FN_COPY, u"Copy"},
      {config::FN_GROUP_ADVANCED, u""},
      {config::FN_PLAY_PAUSE_ALT, u""},
      {config::FN_DELETE, u""},
      {40, u""},
      {255, u""},
  };
  for (const Case& c : cases) {
    const config::ButtonAssignment record = Record(c.function);
    EXPECT_EQ(FunctionLabel(&record), c.label) << int(c.function);
  }
  EXPECT_EQ(FunctionLabel(nullptr), u"");
}

TEST_F(FunctionLabelTest, CombinationShowsItsKeys) {
  config::ButtonAssignment record = Record(config::FN_COMBINATION);
  record.comboModifiers = 0x01;
  record.comboKey1 = 0x53;
  EXPECT_EQ(FunctionLabel(&record), u"Ctrl+S");
}

TEST_F(FunctionLabelTest, ProgramShowsItsFileNameOnly) {
  struct Case {
    const char16_t* path;
    const char16_t* label;
  };
  const Case cases[] = {
      {u"", u""},
      {u"C:\\Tools\\Editor\\edit.exe", u"edit.exe"},
      {u"notes.exe", u"notes.exe"},
      {u"C:\\Tools\\", u""},
  };
  for (const Case& c : cases) {
    config::ButtonAssignment record = Record(config::FN_LAUNCH_PROGRAM);
    config::SetProgramPath(record, c.path);
    EXPECT_EQ(FunctionLabel(&record), c.label);
  }
  // A stored path that fills the field without a terminator ends at the field.
  config::ButtonAssignment record = Record(config::FN_LAUNCH_PROGRAM);
  std::fill(std::begin(record.programPath), std::end(record.programPath), u'p');
  record.programPath[10] = u'\\';
  EXPECT_EQ(FunctionLabel(&record), std::u16string(249, u'p'));
}

TEST_F(FunctionLabelTest, MacroShowsTheNameInItsStoreSlot) {
  macro::SetMacroName(macro::TheMacroStore.macros[0], u"First");
  macro::SetMacroName(macro::TheMacroStore.macros[2], u"Sign-off");
  std::fill(std::begin(macro::TheMacroStore.macros[99].macroName),
            std::end(macro::TheMacroStore.macros[99].macroName), u'z');  // no terminator
  macro::TheMacroStore.macroCount = 3;
  struct Case {
    uint8_t index;
    std::u16string label;
  };
  const Case cases[] = {
      {2, u"Sign-off"},
      {5, u""},  // an empty slot
      {99, std::u16string(260, u'z')},
      {0, u"First"},
      {100, u""},  // beyond the store, not wrapped round to the first slot
      {255, u""},
  };
  for (const Case& c : cases) {
    config::ButtonAssignment record = Record(config::FN_MACRO);
    record.macroIndex = c.index;
    EXPECT_EQ(FunctionLabel(&record), c.label) << int(c.index);
  }
}

}  // namespace
