// What a picked function writes into a button's record, and the one pick
// the mouse page refuses.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/AssignmentPick.h"
#include "fakes/ConfigFixtures.h"

namespace {

using config::ButtonAssignment;
using testing_config::BytesOf;

// A record that already holds the parameters of earlier choices.
ButtonAssignment UsedRecord() {
  ButtonAssignment record{};
  record.buttonIndex = 3;
  record.functionCode = 5;
  record.macroIndex = 7;
  record.comboModifiers = 0x03;
  record.comboKey1 = 0x41;
  record.comboKey2 = 0xC1;
  config::SetProgramPath(record, u"C:\\Tools\\old.exe");
  return record;
}

TEST(AssignmentPick, FunctionsWithoutParameterChangeOnlyTheCode) {
  for (uint8_t code : {21, 65, 53, 1, 8, 128, 17}) {
    ButtonAssignment record = UsedRecord();
    ButtonAssignment expected = UsedRecord();
    expected.functionCode = code;
    EXPECT_EQ(config::ParameterOf(code), config::PickParameter::None) << int(code);
    config::StoreFunctionPick(record, code);
    EXPECT_EQ(BytesOf(record), BytesOf(expected)) << int(code);
  }
}

TEST(AssignmentPick, ThreeFunctionsAskForAParameter) {
  EXPECT_EQ(config::ParameterOf(19), config::PickParameter::Combination);
  EXPECT_EQ(config::ParameterOf(25), config::PickParameter::Program);
  EXPECT_EQ(config::ParameterOf(20), config::PickParameter::Macro);
}

TEST(AssignmentPick, ParameterAnswersAreStoredWithTheirCode) {
  ButtonAssignment record = UsedRecord();
  ASSERT_TRUE(config::StoreCombinationPick(record, {0x04, 0x5A, 0}));
  EXPECT_EQ(record.functionCode, 19);
  EXPECT_EQ(record.comboModifiers, 0x04);
  EXPECT_EQ(record.comboKey1, 0x5A);
  EXPECT_EQ(record.comboKey2, 0);
  EXPECT_EQ(record.macroIndex, 7);

  record = UsedRecord();
  ASSERT_TRUE(config::StoreProgramPick(record, u"C:\\Windows\\notepad.exe"));
  EXPECT_EQ(record.functionCode, 25);
  EXPECT_EQ(config::ProgramPath(record), u"C:\\Windows\\notepad.exe");
  EXPECT_EQ(record.comboKey1, 0x41);

  record = UsedRecord();
  ASSERT_TRUE(config::StoreMacroPick(record, 0));
  EXPECT_EQ(record.functionCode, 20);
  EXPECT_EQ(record.macroIndex, 0);
  ASSERT_TRUE(config::StoreMacroPick(record, 99));
  EXPECT_EQ(record.macroIndex, 99);
}

TEST(AssignmentPick, AnAnswerWithNothingToCarryOutLeavesTheRecordAsItWas) {
  const ButtonAssignment before = UsedRecord();
  ButtonAssignment record = before;
  EXPECT_FALSE(config::StoreCombinationPick(record, {0, 0, 0}));
  EXPECT_FALSE(config::StoreProgramPick(record, u""));
  EXPECT_FALSE(config::StoreMacroPick(record, -1));
  // Outside the 100 macros of the store there is no macro to play.
  EXPECT_FALSE(config::StoreMacroPick(record, 100));
  EXPECT_FALSE(config::StoreMacroPick(record, 263));
  EXPECT_EQ(BytesOf(record), BytesOf(before));
}

TEST(AssignmentPick, ProgramPathIsCutToTheFieldAndClearsWhatWasBehindIt) {
  ButtonAssignment record = UsedRecord();
  const std::u16string longPath(300, u'x');
  ASSERT_TRUE(config::StoreProgramPick(record, longPath));
  EXPECT_EQ(config::ProgramPath(record), std::u16string(259, u'x'));
  EXPECT_EQ(record.programPath[259], u'\0');
  ASSERT_TRUE(config::StoreProgramPick(record, u"a.exe"));
  for (size_t i = 5; i < 260; ++i) ASSERT_EQ(record.programPath[i], u'\0') << i;
}

TEST(AssignmentPick, TheLastLeftClickCannotBeGivenAway) {
  struct Case {
    const char* what;
    std::vector<uint8_t> functions;  // of the device's mouse buttons
    size_t selected;
    uint8_t code;
    bool refused;
  };
  const Case cases[] = {
      {"only holder gives it up", {1, 2, 3}, 0, 65, true},
      {"only holder, to disabled", {1, 2, 3}, 0, 21, true},
      {"only holder takes it again", {1, 2, 3}, 0, 1, false},
      {"another button holds it too", {1, 1, 3}, 0, 65, false},
      {"the second holder gives it up", {1, 1, 3}, 1, 2, false},
      {"a button without it", {1, 2, 3}, 1, 65, false},
      {"nobody holds it", {2, 2, 3}, 0, 65, false},
      {"the only holder is the last button", {2, 3, 1}, 2, 3, true},
  };
  for (const Case& c : cases) {
    std::vector<ButtonAssignment> records(c.functions.size());
    for (size_t i = 0; i < records.size(); ++i) records[i].functionCode = c.functions[i];
    EXPECT_EQ(config::TakesLastLeftClick(records.data(), records.size(), c.selected, c.code), c.refused) << c.what;
  }
}

// Only the device's buttons count: a record beyond them that happens to
// hold the left click keeps no button clicking.
TEST(AssignmentPick, RecordsBeyondTheDevicesButtonsDoNotHoldTheLeftClick) {
  ButtonAssignment records[4] = {};
  records[0].functionCode = 1;
  records[1].functionCode = 2;
  records[3].functionCode = 1;
  EXPECT_TRUE(config::TakesLastLeftClick(records, 2, 0, 65));
  EXPECT_FALSE(config::TakesLastLeftClick(records, 4, 0, 65));
}

}  // namespace
