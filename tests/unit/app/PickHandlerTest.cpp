// An assignment page's handling of a function picked from its menu, with
// the parameter dialogs played by a script.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/PickHandler.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/RecordingMessages.h"
#include "text/LabelTable.h"

namespace app {
namespace {

using config::tagVARNOK24G_DATA_;
using testing_config::BytesOf;

// Answers each dialog with what the test set (nothing: cancelled) and
// remembers what it was asked with.
struct ScriptedDialogs : PickDialogs {
  std::optional<config::CombinationChoice> combination;
  std::optional<std::u16string> program;
  std::optional<int32_t> macro;
  std::vector<std::string> asked;
  std::u16string presetPath;
  int32_t presetMacro = -2;
  // What happens elsewhere while a dialog waits for the user.
  std::function<void()> whileOpen;

  void Opened() {
    if (whileOpen) whileOpen();
  }

  bool ChooseCombination(const config::ButtonAssignment&, config::CombinationChoice& choice) override {
    asked.push_back("combination");
    Opened();
    if (combination) choice = *combination;
    return combination.has_value();
  }
  bool ChooseProgram(const std::u16string& currentPath, std::u16string& path) override {
    asked.push_back("program");
    Opened();
    presetPath = currentPath;
    if (program) path = *program;
    return program.has_value();
  }
  bool ChooseMacro(int32_t currentMacro, int32_t& macroIndex) override {
    asked.push_back("macro");
    Opened();
    presetMacro = currentMacro;
    if (macro) macroIndex = *macro;
    return macro.has_value();
  }
};

class PickHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_msg1"), u"At least one button must keep the left click.");
    // A five-button mouse at its defaults, and a keyboard of four keys; the
    // third key once launched a program and the fourth played macro 6.
    for (int i = 0; i < 5; ++i) {
      working_.mouseAssignments[i].buttonIndex = static_cast<uint8_t>(i);
      working_.mouseAssignments[i].functionCode = static_cast<uint8_t>(i + 1);
    }
    for (int i = 0; i < 4; ++i) working_.keyAssignments[i].functionCode = static_cast<uint8_t>(96 + i);
    config::SetProgramPath(working_.keyAssignments[2], u"C:\\Tools\\old.exe");
    working_.keyAssignments[3].macroIndex = 6;
  }
  void TearDown() override { LabelTable::Instance().Clear(); }

  PickOutcome Pick(config::AssignmentPage page, int32_t& selected, uint32_t lParam, int32_t count = 5) {
    PickHandler handler(page, dialogs_, messages_);
    return handler.Handle(working_, count, selected, lParam);
  }

  tagVARNOK24G_DATA_ working_{};
  ScriptedDialogs dialogs_;
  RecordingMessages messages_;
};

TEST_F(PickHandlerTest, ASubEntryPickStoresTheLow16BitsAsTheFunction) {
  int32_t selected = 3;
  // "Volume up" from the media category (24).
  EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, (24u << 16) | 53u), PickOutcome::Stored);
  EXPECT_EQ(working_.mouseAssignments[3].functionCode, 53);
  EXPECT_EQ(selected, -1);
  EXPECT_TRUE(dialogs_.asked.empty());
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PickHandlerTest, NoButtonSelectedChangesNothing) {
  const auto before = BytesOf(working_);
  for (int32_t start : {-1, 5, 15, 200}) {
    int32_t selected = start;
    EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, 65), PickOutcome::Ignored) << start;
    EXPECT_EQ(selected, start);
  }
  // The count never reaches past the record's arrays.
  int32_t selected = 15;
  EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, 65, 40), PickOutcome::Ignored);
  selected = 20;
  EXPECT_EQ(Pick(config::AssignmentPage::Keyboard, selected, 65, 40), PickOutcome::Ignored);
  EXPECT_EQ(BytesOf(working_), before);
}

TEST_F(PickHandlerTest, TakingTheLastLeftClickShowsTheWarningAndChangesNothing) {
  const auto before = BytesOf(working_);
  int32_t selected = 0;
  EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, (23u << 16) | 65u), PickOutcome::Refused);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, u"At least one button must keep the left click.");
  EXPECT_EQ(messages_.shown[0].caption, u"Warning");
  EXPECT_EQ(BytesOf(working_), before);
  EXPECT_EQ(selected, 0) << "the button stays selected until the next label click";
  // Even a function with a dialog is refused before its dialog opens.
  EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, 19), PickOutcome::Refused);
  EXPECT_TRUE(dialogs_.asked.empty());
  // Giving it the left click again is no loss.
  EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, (26u << 16) | 1u), PickOutcome::Stored);
}

TEST_F(PickHandlerTest, LeftClickMovesFromButtonToButton) {
  int32_t selected = 1;
  EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, (26u << 16) | 1u), PickOutcome::Stored);
  selected = 0;
  EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, (23u << 16) | 65u), PickOutcome::Stored);
  EXPECT_EQ(working_.mouseAssignments[0].functionCode, 65);
  selected = 1;
  EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, 21), PickOutcome::Refused);
  EXPECT_EQ(working_.mouseAssignments[1].functionCode, 1);
  EXPECT_EQ(messages_.shown.size(), 1u);
}

TEST_F(PickHandlerTest, KeysHaveNoLeftClickRule) {
  working_.keyAssignments[0].functionCode = 1;
  int32_t selected = 0;
  EXPECT_EQ(Pick(config::AssignmentPage::Keyboard, selected, 21, 4), PickOutcome::Stored);
  EXPECT_EQ(working_.keyAssignments[0].functionCode, 21);
  EXPECT_TRUE(messages_.shown.empty());
  // The mouse buttons' left click is no key's concern either.
  EXPECT_EQ(working_.mouseAssignments[0].functionCode, 1);
}

TEST_F(PickHandlerTest, ParameterDialogsStoreTheirAnswer) {
  dialogs_.combination = config::CombinationChoice{0x04, 0x5A, 0x00};
  dialogs_.program = u"C:\\Windows\\notepad.exe";
  dialogs_.macro = 2;
  int32_t selected = 0;
  EXPECT_EQ(Pick(config::AssignmentPage::Keyboard, selected, 19, 4), PickOutcome::Stored);
  selected = 2;
  EXPECT_EQ(Pick(config::AssignmentPage::Keyboard, selected, 25, 4), PickOutcome::Stored);
  selected = 3;
  EXPECT_EQ(Pick(config::AssignmentPage::Keyboard, selected, 20, 4), PickOutcome::Stored);
  EXPECT_EQ(dialogs_.asked, (std::vector<std::string>{"combination", "program", "macro"}));
  // The program and macro dialogs open on the button's present choice.
  EXPECT_EQ(dialogs_.presetPath, u"C:\\Tools\\old.exe");
  EXPECT_EQ(dialogs_.presetMacro, 6);

  const config::ButtonAssignment* keys = working_.keyAssignments;
  EXPECT_EQ(keys[0].functionCode, 19);
  EXPECT_EQ(keys[0].comboModifiers, 0x04);
  EXPECT_EQ(keys[0].comboKey1, 0x5A);
  EXPECT_EQ(keys[0].comboKey2, 0x00);
  EXPECT_EQ(keys[2].functionCode, 25);
  EXPECT_EQ(config::ProgramPath(keys[2]), u"C:\\Windows\\notepad.exe");
  EXPECT_EQ(keys[3].functionCode, 20);
  EXPECT_EQ(keys[3].macroIndex, 2);
}

TEST_F(PickHandlerTest, ACancelledOrEmptyDialogLeavesTheRecordAndTheSelection) {
  struct Case {
    const char* what;
    uint32_t code;
    std::optional<config::CombinationChoice> combination;
    std::optional<std::u16string> program;
    std::optional<int32_t> macro;
  };
  const Case cases[] = {
      {"combination cancelled", 19, std::nullopt, std::nullopt, std::nullopt},
      {"empty combination", 19, config::CombinationChoice{0, 0, 0}, std::nullopt, std::nullopt},
      {"program cancelled", 25, std::nullopt, std::nullopt, std::nullopt},
      {"empty program path", 25, std::nullopt, u"", std::nullopt},
      {"macro editor cancelled", 20, std::nullopt, std::nullopt, std::nullopt},
      {"no macro chosen", 20, std::nullopt, std::nullopt, -1},
  };
  for (const Case& c : cases) {
    dialogs_.combination = c.combination;
    dialogs_.program = c.program;
    dialogs_.macro = c.macro;
    const auto before = BytesOf(working_);
    int32_t selected = 2;
    EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, c.code), PickOutcome::Cancelled) << c.what;
    EXPECT_EQ(BytesOf(working_), before) << c.what;
    EXPECT_EQ(selected, 2) << c.what;
  }
}

TEST_F(PickHandlerTest, APickAnsweredAfterTheModelChangedIsDropped) {
  // The window switched to another model while the dialog was open: the
  // working copy is now that model's record.
  tagVARNOK24G_DATA_ other{};
  other.modelValue = 0x9070;
  for (int i = 0; i < 3; ++i) {
    other.mouseAssignments[i].functionCode = static_cast<uint8_t>(i + 1);
    other.keyAssignments[i].functionCode = static_cast<uint8_t>(96 + i);
  }
  working_.modelValue = 0x9050;
  dialogs_.combination = config::CombinationChoice{0x04, 0x5A, 0x00};
  dialogs_.program = u"C:\\Windows\\notepad.exe";
  dialogs_.macro = 2;
  struct Case {
    const char* what;
    config::AssignmentPage page;
    int32_t button;
    uint32_t code;
  };
  const Case cases[] = {
      {"combination for the right button", config::AssignmentPage::Mouse, 1, 19},
      {"program for the third button", config::AssignmentPage::Mouse, 2, 25},
      {"macro for the second key", config::AssignmentPage::Keyboard, 1, 20},
      {"macro for a key the other model lacks", config::AssignmentPage::Keyboard, 3, 20},
  };
  for (const Case& c : cases) {
    const tagVARNOK24G_DATA_ before = working_;
    dialogs_.whileOpen = [&] { working_ = other; };
    int32_t selected = c.button;
    EXPECT_EQ(Pick(c.page, selected, c.code, 4), PickOutcome::Dropped) << c.what;
    EXPECT_EQ(BytesOf(working_), BytesOf(other)) << c.what;
    EXPECT_EQ(selected, -1) << c.what;
    working_ = before;
  }
  // Switched away and back: the record is again the model's own.
  dialogs_.whileOpen = [&] { working_.mouseAssignments[4].functionCode = 5; };
  int32_t selected = 1;
  EXPECT_EQ(Pick(config::AssignmentPage::Mouse, selected, 19), PickOutcome::Stored);
}

}  // namespace
}  // namespace app
