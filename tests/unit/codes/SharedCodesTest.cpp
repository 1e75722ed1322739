#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>

#include "codes/KeyCodes.h"
#include "codes/KeyboardHookLibrary.h"
#include "codes/PrivateMessages.h"
#include "codes/SocialSiteLibrary.h"
#include "codes/WindowNames.h"

// These numbers and names are read by other programs (the two libraries, a
// second instance, outside tools) or stored, so a wrong one breaks them
// without any other test noticing.
namespace {

TEST(SharedCodesTest, PrivateMessageNumbers) {
  struct Case {
    uint32_t code;
    uint32_t expected;
  };
  const Case cases[] = {
      {codes::WM_DRIVER_EVENT, 0x7EB},        {codes::WM_TRAY_NOTIFY, 0x600},
      {codes::WM_SET_SCROLL_VALUES, 0x606},   {codes::WM_BMPMENU_SUBPICK, 0x500},
      {codes::WM_BMPMENU_PICK, 0x501},        {codes::WM_PAGE_RELOAD, 0x480},
      {codes::WM_LISTBOXEX_EDITDONE, 0x464},  {codes::WM_LISTBOXEX_SELCHANGE, 0x465},
      {codes::WM_SKINBTN_PRESS, 0x1424},      {kbgetkey::WM_HOOKKEY, 0x40A},
  };
  for (const Case& c : cases) EXPECT_EQ(c.code, c.expected) << std::hex << c.expected;
}

TEST(SharedCodesTest, KeyboardHookLibraryContract) {
  EXPECT_EQ(std::u16string(kbgetkey::kLibraryFile), u"KBGetKey.dll");
  EXPECT_STREQ(kbgetkey::kInstallHook, "installhook");
  EXPECT_STREQ(kbgetkey::kSetHookStatus, "SetHookStatus");
  EXPECT_STREQ(kbgetkey::kRemoveHook, "removehook");
  EXPECT_EQ(kbgetkey::kHookOn, 1);
  EXPECT_EQ(kbgetkey::kHookOff, 0);
  EXPECT_EQ(kbgetkey::kKeyReleasedFlag, 0x80u);
}

TEST(SharedCodesTest, SocialSiteLibraryContract) {
  EXPECT_EQ(std::u16string(quickaccess::kLibraryFile), u"QuickAccess.dll");
  const char* const expected[] = {"OpenZoomOutWindow", "OpenZoomInWindow", "OpenSearchFriend", "OpenAllFriend",
                                  "OpenAllMessage",    "OpenAllNotify",    "OpenFriendAlign"};
  ASSERT_EQ(std::size(quickaccess::kExports), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_STREQ(quickaccess::kExports[i], expected[i]);
}

TEST(SharedCodesTest, CombinationCodesAndEditorNames) {
  EXPECT_EQ(codes::kLeftButtonCode, 0xC1);
  EXPECT_EQ(codes::kRightButtonCode, 0xC2);
  EXPECT_EQ(codes::kMiddleButtonCode, 0xC3);
  struct Case {
    uint8_t modifier, shown, played;
  };
  const Case cases[] = {
      {codes::kComboCtrl, 0x01, 0x11},
      {codes::kComboShift, 0x02, 0x22},
      {codes::kComboAlt, 0x04, 0x44},
      {codes::kComboWin, 0x08, 0x88},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.modifier, c.shown);
    EXPECT_EQ(codes::PlayedComboBits(c.modifier), c.played) << int(c.shown);
  }
  const char16_t* const names[] = {u"CDlgCombo", u"CDlgMacro", u"CDlgAutoStart"};
  ASSERT_EQ(std::size(codes::kEditorWindowNames), std::size(names));
  for (std::size_t i = 0; i < std::size(names); ++i)
    EXPECT_EQ(std::u16string(codes::kEditorWindowNames[i]), names[i]);
}

}  // namespace
