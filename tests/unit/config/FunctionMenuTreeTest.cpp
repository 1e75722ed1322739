// The function menu both assignment pages build: its entries in screen
// order, each with its language text and code.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "config/FunctionCodes.h"
#include "config/FunctionMenuTree.h"
#include "text/LabelTable.h"

namespace {

struct Expected {
  const char* key;
  int32_t id;
  std::vector<std::pair<const char*, int32_t>> sub;
};

// The menu as the user sees it, top to bottom.
const std::vector<Expected> kMenu = {
    {"tc_combokey", 19, {}},
    {"tc_flip_3d", 8, {}},
    {"tc_mac_def", 20, {}},
    {"tc_auto_start", 25, {}},
    {"tc_key_off", 21, {}},
    {"tc_base_fun",
     23,
     {{"tc_cut", 64}, {"tc_copy", 65}, {"tc_past", 66}, {"tc_all", 68}, {"tc_find", 69}, {"tc_new", 70},
      {"tc_print", 71}, {"tc_save", 72}}},
    {"tc_advance",
     22,
     {{"tc_swap", 80}, {"tc_close", 81}, {"tc_explor", 83}, {"tc_run", 84}, {"tc_show", 85}, {"tc_lock", 82},
      {"tc_max_win", 88}, {"tc_min_win", 89}, {"tc_zoomin", 86}, {"tc_zoomout", 87}}},
    {"tc_mouse_fun",
     26,
     {{"tc_click", 1}, {"tc_menu", 2}, {"tc_middle", 3}, {"tc_pre", 4}, {"tc_back", 5}, {"tc_scrollup", 9},
      {"tc_scrolldw", 10}, {"tc_scrolllt", 16}, {"tc_scrollrt", 17}}},
    {"tc_media",
     24,
     {{"tc_PL", 48}, {"tc_stop", 49}, {"tc_pre_media", 50}, {"tc_next_media", 51}, {"tc_vol_up", 53},
      {"tc_vol_dw", 54}, {"tc_mute", 55}}},
    {"tc_office", 27, {{"tc_office_word", 56}, {"tc_office_excel", 57}, {"tc_office_powerpnt", 58}}},
    {"tc_facebook",
     28,
     {{"tc_facebook_homepage", 128}, {"tc_facebook_sk", 137}, {"tc_facebook_skmessage", 154},
      {"tc_facebook_skevent", 155}, {"tc_facebook_skmedia", 156}}},
};

// Each key's text is the key itself, so a label shows which key it came from.
class FunctionMenuTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const Expected& entry : kMenu) {
      SetLabel(entry.key);
      for (const auto& sub : entry.sub) SetLabel(sub.first);
    }
  }
  void TearDown() override { LabelTable::Instance().Clear(); }

  static void SetLabel(const char* key) {
    const size_t index = LabelTable::IndexOf(key);
    ASSERT_LT(index, LabelTable::kCount) << key;
    LabelTable::Instance().Set(index, std::u16string(key, key + std::char_traits<char>::length(key)));
  }
  static std::u16string Text(const char* key) { return std::u16string(key, key + std::char_traits<char>::length(key)); }
};

TEST_F(FunctionMenuTreeTest, EntriesInScreenOrderWithTheirTextsAndCodes) {
  const std::vector<config::FunctionMenuEntry> tree = config::BuildFunctionMenuTree();
  ASSERT_EQ(tree.size(), kMenu.size());
  for (size_t i = 0; i < kMenu.size(); ++i) {
    SCOPED_TRACE(kMenu[i].key);
    EXPECT_EQ(tree[i].item.label, Text(kMenu[i].key));
    EXPECT_EQ(tree[i].item.id, kMenu[i].id);
    ASSERT_EQ(tree[i].subEntries.size(), kMenu[i].sub.size());
    for (size_t d = 0; d < kMenu[i].sub.size(); ++d) {
      EXPECT_EQ(tree[i].subEntries[d].label, Text(kMenu[i].sub[d].first)) << d;
      EXPECT_EQ(tree[i].subEntries[d].id, kMenu[i].sub[d].second) << d;
    }
  }
}

TEST_F(FunctionMenuTreeTest, TextsAreReadWhenTheMenuIsBuilt) {
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_copy"), u"Copy");
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_base_fun"), u"Editing");
  const auto tree = config::BuildFunctionMenuTree();
  EXPECT_EQ(tree[5].item.label, u"Editing");
  EXPECT_EQ(tree[5].subEntries[1].label, u"Copy");
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_copy"), u"Kopieren");
  EXPECT_EQ(tree[5].subEntries[1].label, u"Copy") << "a built menu keeps its texts";
  EXPECT_EQ(config::BuildFunctionMenuTree()[5].subEntries[1].label, u"Kopieren");
}

// The function table says which menu offers each code; the menu must agree,
// or a function would be offered under one category and labelled under
// another.
TEST_F(FunctionMenuTreeTest, EveryCodeOfTheTableSitsInTheCategoryTheTableNames) {
  std::vector<std::pair<int32_t, config::MenuGroup>> placed;
  for (const auto& entry : config::BuildFunctionMenuTree()) {
    placed.emplace_back(entry.item.id, config::MenuGroup::Top);
    for (const auto& sub : entry.subEntries)
      placed.emplace_back(sub.id, static_cast<config::MenuGroup>(entry.item.id));
  }
  size_t offered = 0;
  for (const config::FunctionInfo* info = config::FunctionTableBegin(); info != config::FunctionTableEnd(); ++info) {
    if (info->menu == config::MenuGroup::None) continue;
    ++offered;
    const auto found = std::find_if(placed.begin(), placed.end(), [&](const auto& p) { return p.first == info->code; });
    ASSERT_NE(found, placed.end()) << info->constantName << " is offered by no entry";
    EXPECT_EQ(found->second, info->menu) << info->constantName;
  }
  EXPECT_EQ(offered, placed.size()) << "the menu offers a code the table keeps out of the menus";
}

}  // namespace
