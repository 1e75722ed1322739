#include "config/ButtonAssignment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <vector>

namespace config {
namespace {

std::vector<uint8_t> Bytes(const ButtonAssignment* records, std::size_t count) {
  const auto* p = reinterpret_cast<const uint8_t*>(records);
  return std::vector<uint8_t>(p, p + count * sizeof(ButtonAssignment));
}

TEST(ButtonAssignment, DefaultArrayHasIndicesCodesAndZeroes) {
  ButtonAssignment records[kMaxMouseButtons];
  std::memset(records, 0xAB, sizeof(records));  // stale content must not survive
  const uint8_t codes[] = {1, 2, 3, 5, 4, 9, 10};
  FillDefaultAssignments(records, kMaxMouseButtons, codes, sizeof(codes));

  // The record as it sits in storage: index at byte 0, code at byte 1.
  const std::vector<uint8_t> bytes = Bytes(records, kMaxMouseButtons);
  for (std::size_t i = 0; i < kMaxMouseButtons; ++i) {
    const std::size_t base = i * 526;
    const bool used = i < sizeof(codes);
    EXPECT_EQ(bytes[base + 0], used ? i : 0) << i;
    EXPECT_EQ(bytes[base + 1], used ? codes[i] : 0) << i;
    for (std::size_t b = 2; b < 526; ++b) ASSERT_EQ(bytes[base + b], 0) << i << ":" << b;
  }
}

TEST(ButtonAssignment, CountBeyondCapacityIsCut) {
  ButtonAssignment records[2];
  const uint8_t codes[] = {96, 97, 98};
  FillDefaultAssignments(records, 2, codes, 3);
  EXPECT_EQ(records[1].functionCode, 97);
}

TEST(ButtonAssignment, ResetKeepsTheFieldsOfOtherFunctions) {
  ButtonAssignment record{};
  record.buttonIndex = 7;
  record.functionCode = 19;
  record.comboModifiers = 3;
  record.comboKey1 = 0x41;
  record.macroIndex = 4;
  SetProgramPath(record, u"C:\\tool.exe");
  const uint8_t code = 5;
  ResetAssignmentFunctions(&record, &code, 1);
  EXPECT_EQ(record.buttonIndex, 0);
  EXPECT_EQ(record.functionCode, 5);
  EXPECT_EQ(record.comboModifiers, 3);
  EXPECT_EQ(record.comboKey1, 0x41);
  EXPECT_EQ(record.macroIndex, 4);
  EXPECT_EQ(ProgramPath(record), u"C:\\tool.exe");
}

TEST(ButtonAssignment, ProgramFileNameFollowsTheLastBackslash) {
  struct Case {
    const char16_t* path;
    const char16_t* name;
  };
  const Case cases[] = {
      {u"C:\\Program Files\\Tools\\app.exe", u"app.exe"},
      {u"app.exe", u"app.exe"},
      {u"", u""},
      {u"C:\\Tools\\", u""},
      {u"\\\\server\\share\\run me.exe", u"run me.exe"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_TRUE(ProgramFileName(cases[i].path) == cases[i].name) << "case " << i;
}

TEST(ButtonAssignment, ProgramPathIsReadWithinTheField) {
  ButtonAssignment records[2]{};
  // A stored path that fills its field with no terminator, followed directly
  // by the next record's bytes: reading must stop at the field's end.
  for (char16_t& unit : records[0].programPath) unit = u'x';
  records[1].buttonIndex = 'y';
  records[1].functionCode = 'y';
  EXPECT_EQ(ProgramPath(records[0]), std::u16string(260, u'x'));
}

TEST(ButtonAssignment, SetProgramPathKeepsRoomForTheTerminator) {
  ButtonAssignment record;
  std::memset(&record, 0xFF, sizeof(record));
  SetProgramPath(record, std::u16string(300, u'p'));
  EXPECT_EQ(ProgramPath(record), std::u16string(259, u'p'));
  EXPECT_EQ(record.programPath[259], u'\0');

  SetProgramPath(record, u"a");
  EXPECT_EQ(record.programPath[1], u'\0');
  EXPECT_EQ(record.programPath[2], u'\0');  // nothing of the old path remains
}

}  // namespace
}  // namespace config
