#include "config/FunctionCodes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

namespace config {
namespace {

struct Row {
  int code;
  const char* constant;
  LabelKind kind;
  const char* key;
  MenuGroup menu;
};

// Rows picked from every kind of entry: plain functions of each menu,
// computed labels, categories, unlabelled codes and hidden media keys.
const Row kSpotRows[] = {
    {1, "FN_LEFT_CLICK", LabelKind::Fixed, "tc_click", MenuGroup::Mouse},
    {4, "FN_XBUTTON2_CLICK", LabelKind::Fixed, "tc_pre", MenuGroup::Mouse},
    {6, "FN_MAXIMIZE_ALT", LabelKind::Fixed, "tc_max_win", MenuGroup::None},
    {8, "FN_FLIP_3D", LabelKind::Fixed, "tc_flip_3d", MenuGroup::Top},
    {19, "FN_COMBINATION", LabelKind::Computed, "tc_combokey", MenuGroup::Top},
    {20, "FN_MACRO", LabelKind::Computed, "tc_mac_def", MenuGroup::Top},
    {21, "FN_DISABLED", LabelKind::Fixed, "tc_key_off", MenuGroup::Top},
    {25, "FN_LAUNCH_PROGRAM", LabelKind::Computed, "tc_auto_start", MenuGroup::Top},
    {26, "FN_GROUP_MOUSE", LabelKind::Group, "tc_mouse_fun", MenuGroup::Top},
    {48, "FN_PLAY_PAUSE", LabelKind::Fixed, "tc_PL", MenuGroup::Media},
    {52, "FN_PLAY_PAUSE_ALT", LabelKind::None, nullptr, MenuGroup::None},
    {58, "FN_POWERPOINT", LabelKind::Fixed, "tc_office_powerpnt", MenuGroup::Office},
    {66, "FN_PASTE", LabelKind::Fixed, "tc_past", MenuGroup::Basic},
    {73, "FN_DELETE", LabelKind::None, nullptr, MenuGroup::None},
    {88, "FN_MAXIMIZE", LabelKind::Fixed, "tc_max_win", MenuGroup::Advanced},
    {97, "FN_KB_FORWARD", LabelKind::Fixed, "tc_kbmedia_forword", MenuGroup::None},
    {118, "FN_KB_POWERPOINT", LabelKind::Fixed, "tc_kbmedia_powerpnt", MenuGroup::None},
    {128, "FN_FB_HOME", LabelKind::Fixed, "tc_facebook_homepage", MenuGroup::Facebook},
    {133, "FN_FB_SEND_MESSAGE", LabelKind::Fixed, "tc_facebook_sendmessage", MenuGroup::None},
    {157, "FN_FB_ALBUM", LabelKind::Fixed, "tc_facebook_skalbum", MenuGroup::None},
};

TEST(FunctionTable, SpotRowsMatch) {
  for (const Row& expected : kSpotRows) {
    SCOPED_TRACE(expected.constant);
    const FunctionInfo* info = FindFunction(static_cast<uint8_t>(expected.code));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->code, expected.code);
    EXPECT_STREQ(info->constantName, expected.constant);
    EXPECT_EQ(info->labelKind, expected.kind);
    if (expected.key) {
      EXPECT_STREQ(info->key, expected.key);
    } else {
      EXPECT_EQ(info->key, nullptr);
    }
    EXPECT_EQ(info->menu, expected.menu);
  }
}

TEST(FunctionTable, GapsAreNoFunction) {
  const int gaps[][2] = {{0, 0},     {11, 15},   {29, 47},  {59, 63},
                         {67, 67},   {74, 79},   {90, 95},  {119, 127},
                         {138, 153}, {158, 255}};
  for (const auto& range : gaps) {
    for (int code = range[0]; code <= range[1]; ++code) {
      EXPECT_EQ(FindFunction(static_cast<uint8_t>(code)), nullptr) << code;
      EXPECT_EQ(FixedLabelKey(static_cast<uint8_t>(code)), nullptr) << code;
    }
  }
}

TEST(FunctionTable, EveryCodeOutsideTheGapsIsAFunction) {
  int count = 0;
  for (const FunctionInfo* it = FunctionTableBegin(); it != FunctionTableEnd(); ++it) {
    EXPECT_EQ(FindFunction(it->code), it);
    ++count;
  }
  // 256 codes minus the ten gaps listed above.
  EXPECT_EQ(count, 256 - (1 + 5 + 19 + 5 + 1 + 6 + 6 + 9 + 16 + 98));
}

TEST(FunctionTable, FixedLabelKeyOnlyForFixedLabels) {
  EXPECT_STREQ(FixedLabelKey(FN_COPY), "tc_copy");
  EXPECT_EQ(FixedLabelKey(FN_COMBINATION), nullptr);
  EXPECT_EQ(FixedLabelKey(FN_GROUP_MEDIA), nullptr);
  EXPECT_EQ(FixedLabelKey(FN_DELETE), nullptr);
}

// Every menu category, with exactly the codes it offers, in code order; and
// the top level with its five functions and six categories.
TEST(FunctionTable, MenuGroupsOfferTheirCodes) {
  std::map<MenuGroup, std::vector<int>> offered;
  for (const FunctionInfo* it = FunctionTableBegin(); it != FunctionTableEnd(); ++it)
    offered[it->menu].push_back(it->code);

  EXPECT_EQ(offered[MenuGroup::Top], (std::vector<int>{8, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}));
  EXPECT_EQ(offered[MenuGroup::Mouse], (std::vector<int>{1, 2, 3, 4, 5, 9, 10, 16, 17}));
  EXPECT_EQ(offered[MenuGroup::Basic], (std::vector<int>{64, 65, 66, 68, 69, 70, 71, 72}));
  EXPECT_EQ(offered[MenuGroup::Advanced], (std::vector<int>{80, 81, 82, 83, 84, 85, 86, 87, 88, 89}));
  EXPECT_EQ(offered[MenuGroup::Media], (std::vector<int>{48, 49, 50, 51, 53, 54, 55}));
  EXPECT_EQ(offered[MenuGroup::Office], (std::vector<int>{56, 57, 58}));
  EXPECT_EQ(offered[MenuGroup::Facebook], (std::vector<int>{128, 137, 154, 155, 156}));

  const std::pair<MenuGroup, const char*> keys[] = {
      {MenuGroup::Advanced, "tc_advance"}, {MenuGroup::Basic, "tc_base_fun"},
      {MenuGroup::Media, "tc_media"},      {MenuGroup::Mouse, "tc_mouse_fun"},
      {MenuGroup::Office, "tc_office"},    {MenuGroup::Facebook, "tc_facebook"}};
  for (const auto& [group, key] : keys) EXPECT_STREQ(MenuGroupKey(group), key);
  EXPECT_EQ(MenuGroupKey(MenuGroup::Top), nullptr);
  EXPECT_EQ(MenuGroupKey(MenuGroup::None), nullptr);
}

TEST(ButtonCodes, MouseAndKeyboardSets) {
  std::set<int> mouse, keyboard;
  for (int code = 0; code < 256; ++code) {
    if (IsMouseButtonCode(static_cast<uint8_t>(code))) mouse.insert(code);
    if (IsKeyboardButtonCode(static_cast<uint8_t>(code))) keyboard.insert(code);
  }
  EXPECT_EQ(mouse, (std::set<int>{1, 2, 3, 4, 5, 9, 10, 16, 17, 86, 87}));
  std::set<int> expectedKeys{86, 87};
  for (int code = 96; code <= 117; ++code) expectedKeys.insert(code);
  EXPECT_EQ(keyboard, expectedKeys);
  // Every button code is also a function code: the button's default.
  for (int code : mouse) EXPECT_NE(FindFunction(static_cast<uint8_t>(code)), nullptr);
  for (int code : keyboard) EXPECT_NE(FindFunction(static_cast<uint8_t>(code)), nullptr);
}

}  // namespace
}  // namespace config
