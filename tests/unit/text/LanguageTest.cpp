// Loading the language file into the label table.

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "fakes/TempFolder.h"
#include "text/LabelTable.h"

namespace {

class LanguageTest : public ::testing::Test {
 protected:
  void TearDown() override { LabelTable::Instance().Clear(); }

  bool LoadFrom(const std::string& document) {
    folder_.Write("language.xml", document);
    return LoadLanguage(folder_.ProgramPath() + u"language.xml");
  }

  fakes::TempFolder folder_;
};

TEST_F(LanguageTest, SectionRules) {
  struct Case {
    const char* document;
    std::u16string okText;
  };
  const Case cases[] = {
      {"<lang><config><tc_ok>OK</tc_ok></config></lang>", u"OK"},
      {"<lang><config><tc_ok> OK </tc_ok></config></lang>", u" OK "},
      {"<lang><config><tc_ok>A &amp; B</tc_ok></config></lang>", u"A & B"},
      {"<lang><config><config><tc_ok>Fine</tc_ok></config></config></lang>", u"Fine"},   // nested section
      {"<lang><config><x/><config><config><tc_ok>Deep</tc_ok></config></config></config></lang>", u"Deep"},
      {"<lang><config><tc_ok>Near</tc_ok><config><tc_ok>Far</tc_ok></config></config></lang>", u"Near"},
      {"<lang><config/><config><tc_ok>OK</tc_ok></config></lang>", u""},               // second section unseen
      {"<lang><config><x><tc_ok>OK</tc_ok></x></config></lang>", u""},                 // only sections nest
      {"<lang><config><TC_OK>OK</TC_OK></config></lang>", u""},                        // keys are case-sensitive
      {"<config><tc_ok>OK</tc_ok></config>", u""},                                     // top level is no section
      {"<lang><tc_ok>OK</tc_ok></lang>", u""},
      {"<lang><config><tc_ok>OK<b/></tc_ok></config></lang>", u""},                    // children: no text
      {"<lang><config><tc_ok>OK</tc_ok></oops></config></lang>", u"OK"},               // ill formed, still read
  };
  for (const Case& c : cases) {
    LoadFrom(c.document);
    EXPECT_EQ(Label("tc_ok"), c.okText) << c.document;
    EXPECT_EQ(Label("tc_cancel"), u"") << c.document;
  }
}

TEST_F(LanguageTest, EveryKeyIsFilledInOrder) {
  // A file that gives every key its own name as text, plus keys the table
  // does not know.
  std::string document = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<language><config>\n<tc_unknown>x</tc_unknown>\n";
  for (std::string_view key : LabelTable::Keys()) {
    if (key == "tc_reset" && document.find("<tc_reset>") != std::string::npos) continue;
    document += "  <" + std::string(key) + ">" + std::string(key) + "</" + std::string(key) + ">\n";
  }
  document += "</config></language>\n";
  EXPECT_TRUE(LoadFrom(document));
  const LabelTable& table = LabelTable::Instance();
  for (size_t i = 0; i < LabelTable::kCount; ++i) {
    const std::string_view key = LabelTable::Keys()[i];
    EXPECT_EQ(table.At(i), std::u16string(key.begin(), key.end())) << key;
  }
  // "tc_reset" fills two neighbouring entries.
  const size_t reset = LabelTable::IndexOf("tc_reset");
  ASSERT_LT(reset + 1, LabelTable::kCount);
  EXPECT_EQ(LabelTable::Keys()[reset + 1], "tc_reset");
  EXPECT_EQ(table.At(reset + 1), u"tc_reset");
  EXPECT_EQ(Label("tc_PL"), u"tc_PL");
  EXPECT_EQ(Label("tc_unknown"), u"");
  EXPECT_EQ(LabelTable::IndexOf("tc_unknown"), LabelTable::kCount);
}

// The language file's key names, in the order the program reads them; the
// table must hold exactly these, so a misspelt, missing or extra key turns
// a label blank or shifts every later one.
const char* const kLanguageKeys[] = {
    // tray, title and about
    "tc_mouse_title", "tc_help", "tc_website", "tc_config", "tc_about", "tc_exit", "tc_version", "tc_suport",
    "tc_varfam", "tc_info", "tc_default_value", "tc_setting_value", "tc_button_setting", "tc_device_sel",
    // device selection
    "tc_select_dev_title", "tc_select_dev_tips1",
    // keyboard media functions
    "tc_kbmedia_back", "tc_kbmedia_forword", "tc_kbmedia_stop", "tc_kbmedia_ref", "tc_kbmedia_fav",
    "tc_kbmedia_search", "tc_kbmedia_mail", "tc_kbmedia_main", "tc_kbmedia_sleep", "tc_kbmedia_close",
    "tc_kbmedia_word", "tc_kbmedia_excel", "tc_kbmedia_explore", "tc_kbmedia_cal", "tc_kbmedia_play",
    "tc_kbmedia_msel", "tc_kbmedia_pre", "tc_kbmedia_next", "tc_kbmedia_mstop", "tc_kbmedia_mute",
    "tc_kbmedia_volumeup", "tc_kbmedia_volumedown", "tc_kbmedia_powerpnt",
    // battery and signal
    "tc_get_power", "tc_get_signal", "tc_power_strong", "tc_power_equ", "tc_power_weak",
    // options
    "tc_option1", "tc_option_autostart", "tc_option_keyboardled", "tc_option_driverclose",
    "tc_option_hidetaskbar", "tc_option_facebook", "tc_option_twitter", "tc_option_youtube",
    "tc_option_scrolloption", "tc_option_scroll", "tc_option_title",
    // office programs
    "tc_office", "tc_office_word", "tc_office_excel", "tc_office_powerpnt",
    // social-site shortcuts
    "tc_facebook", "tc_facebook_homepage", "tc_facebook_zoomoutwindow", "tc_facebook_zoominwindow",
    "tc_facebook_searchfriend", "tc_facebook_allfriend", "tc_facebook_sendmessage", "tc_facebook_allmessage",
    "tc_facebook_allnotify", "tc_facebook_friendalign", "tc_facebook_sk", "tc_facebook_skmessage",
    "tc_facebook_skevent", "tc_facebook_skmedia", "tc_facebook_skalbum",
    // common buttons; the reset text fills two entries
    "tc_ok", "tc_title", "tc_reset", "tc_reset", "tc_cancel", "tc_apply",
    // mouse and window functions
    "tc_PL", "tc_stop", "tc_pre_media", "tc_next_media", "tc_vol_up", "tc_vol_dw", "tc_mute", "tc_swap",
    "tc_close", "tc_lock", "tc_explor", "tc_run", "tc_show", "tc_max_win", "tc_min_win", "tc_zoomin",
    "tc_zoomout", "tc_cut", "tc_copy", "tc_past", "tc_all", "tc_find", "tc_new", "tc_print", "tc_save",
    "tc_click", "tc_menu", "tc_middle", "tc_dbclick", "tc_mac_def",
    // program launch
    "tc_auto_start", "tc_auto_sel", "tc_auto_brower",
    // loaded but never shown
    "tc_option", "tc_driver_auto_start", "tc_auto_msg1", "tc_auto_msg2", "tc_scroll", "tc_scroll_msg1",
    "tc_scroll_msg2",
    // function menu groups
    "tc_key_off", "tc_base_fun", "tc_combokey", "tc_advance", "tc_media", "tc_mouse_fun",
    // combination-key dialog
    "tc_combo_tittle", "tc_combo_tips",
    // macro editor
    "tc_macro_msg2", "tc_macro_end", "tc_macro_start", "tc_new_macro", "tc_macro_msg3", "tc_macro_loop",
    "tc_macro_delay", "tc_macro_modify", "tc_macro_list", "tc_macro_panel", "tc_macro_editor", "tc_macro_new",
    "tc_macro_del",
    // main window
    "tc_retitle", "tc_reinfo",
    // mouse functions
    "tc_pre", "tc_back", "tc_flip_3d", "tc_scrollup", "tc_scrolldw", "tc_scrolllt", "tc_scrollrt",
    // mouse page message
    "tc_msg1",
    // main window tabs
    "tc_mouse", "tc_keyboard",
    // the macro editor's refusal of a pause
    "tc_macro_msg4",
};

TEST_F(LanguageTest, TheLanguageFilesKeysFillTheTableInTheirOrder) {
  ASSERT_EQ(LabelTable::kCount, std::size(kLanguageKeys));
  // Each key's text is "=" and the key, so every entry shows which key it
  // was read from.
  std::string document = "<language><config>\n";
  for (const char* key : kLanguageKeys)
    document += std::string("<") + key + ">=" + key + "</" + key + ">\n";
  document += "</config></language>\n";
  ASSERT_TRUE(LoadFrom(document));
  for (size_t i = 0; i < std::size(kLanguageKeys); ++i) {
    const std::string expected = std::string("=") + kLanguageKeys[i];
    EXPECT_EQ(LabelTable::Instance().At(i), std::u16string(expected.begin(), expected.end()))
        << "entry " << i << " " << kLanguageKeys[i];
    EXPECT_EQ(Label(kLanguageKeys[i]), std::u16string(expected.begin(), expected.end())) << kLanguageKeys[i];
  }
}

TEST_F(LanguageTest, MissingFileBlanksEveryLabel) {
  LoadFrom("<lang><config><tc_ok>OK</tc_ok><tc_mouse_title>Title</tc_mouse_title></config></lang>");
  ASSERT_EQ(Label("tc_mouse_title"), u"Title");
  EXPECT_FALSE(LoadLanguage(folder_.ProgramPath() + u"nothing-here.xml"));
  for (size_t i = 0; i < LabelTable::kCount; ++i) EXPECT_EQ(LabelTable::Instance().At(i), u"") << i;
  EXPECT_EQ(LookupLabel(u"config", u"tc_ok"), u"");
}

TEST_F(LanguageTest, ShippedFileHasEveryLabel) {
  const std::string folder = VN24G_SHIPPED_DATA_DIR;
  EXPECT_TRUE(LoadLanguage(std::u16string(folder.begin(), folder.end()) + u"/language.xml"));
  for (size_t i = 0; i < LabelTable::kCount; ++i)
    EXPECT_FALSE(LabelTable::Instance().At(i).empty()) << LabelTable::Keys()[i];
}

}  // namespace
