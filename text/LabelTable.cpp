#include "text/LabelTable.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::array<std::string_view, LabelTable::kCount> kKeys = {
    "tc_mouse_title", "tc_help", "tc_website", "tc_config", "tc_about", "tc_exit", "tc_version", "tc_suport",
    "tc_varfam", "tc_info", "tc_default_value", "tc_setting_value", "tc_button_setting", "tc_device_sel",
    "tc_select_dev_title", "tc_select_dev_tips1", "tc_kbmedia_back", "tc_kbmedia_forword", "tc_kbmedia_stop",
    "tc_kbmedia_ref", "tc_kbmedia_fav", "tc_kbmedia_search", "tc_kbmedia_mail", "tc_kbmedia_main",
    "tc_kbmedia_sleep", "tc_kbmedia_close", "tc_kbmedia_word", "tc_kbmedia_excel", "tc_kbmedia_explore",
    "tc_kbmedia_cal", "tc_kbmedia_play", "tc_kbmedia_msel", "tc_kbmedia_pre", "tc_kbmedia_next",
    "tc_kbmedia_mstop", "tc_kbmedia_mute", "tc_kbmedia_volumeup", "tc_kbmedia_volumedown",
    "tc_kbmedia_powerpnt", "tc_get_power", "tc_get_signal", "tc_power_strong", "tc_power_equ",
    "tc_power_weak", "tc_option1", "tc_option_autostart", "tc_option_keyboardled", "tc_option_driverclose",
    "tc_option_hidetaskbar", "tc_option_facebook", "tc_option_twitter", "tc_option_youtube",
    "tc_option_scrolloption", "tc_option_scroll", "tc_option_title", "tc_office", "tc_office_word",
    "tc_office_excel", "tc_office_powerpnt", "tc_facebook", "tc_facebook_homepage",
    "tc_facebook_zoomoutwindow", "tc_facebook_zoominwindow", "tc_facebook_searchfriend",
    "tc_facebook_allfriend", "tc_facebook_sendmessage", "tc_facebook_allmessage", "tc_facebook_allnotify",
    "tc_facebook_friendalign", "tc_facebook_sk", "tc_facebook_skmessage", "tc_facebook_skevent",
    "tc_facebook_skmedia", "tc_facebook_skalbum", "tc_ok", "tc_title", "tc_reset", "tc_reset", "tc_cancel",
    "tc_apply", "tc_PL", "tc_stop", "tc_pre_media", "tc_next_media", "tc_vol_up", "tc_vol_dw", "tc_mute",
    "tc_swap", "tc_close", "tc_lock", "tc_explor", "tc_run", "tc_show", "tc_max_win", "tc_min_win",
    "tc_zoomin", "tc_zoomout", "tc_cut", "tc_copy", "tc_past", "tc_all", "tc_find", "tc_new", "tc_print",
    "tc_save", "tc_click", "tc_menu", "tc_middle", "tc_dbclick", "tc_mac_def", "tc_auto_start", "tc_auto_sel",
    "tc_auto_brower", "tc_option", "tc_driver_auto_start", "tc_auto_msg1", "tc_auto_msg2", "tc_scroll",
    "tc_scroll_msg1", "tc_scroll_msg2", "tc_key_off", "tc_base_fun", "tc_combokey", "tc_advance", "tc_media",
    "tc_mouse_fun", "tc_combo_tittle", "tc_combo_tips", "tc_macro_msg2", "tc_macro_end", "tc_macro_start",
    "tc_new_macro", "tc_macro_msg3", "tc_macro_loop", "tc_macro_delay", "tc_macro_modify", "tc_macro_list",
    "tc_macro_panel", "tc_macro_editor", "tc_macro_new", "tc_macro_del", "tc_retitle", "tc_reinfo", "tc_pre",
    "tc_back", "tc_flip_3d", "tc_scrollup", "tc_scrolldw", "tc_scrolllt", "tc_scrollrt", "tc_msg1",
    "tc_mouse", "tc_keyboard",
    // The macro editor's refusal of a pause too long, read after the rest.
    "tc_macro_msg4",
};

// Key positions sorted by key, for lookups by key.
std::array<uint16_t, LabelTable::kCount> MakeKeyIndex() {
  std::array<uint16_t, LabelTable::kCount> order{};
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint16_t>(i);
  // Stable, so that of the two "tc_reset" entries the first comes first.
  std::stable_sort(order.begin(), order.end(), [](uint16_t a, uint16_t b) { return kKeys[a] < kKeys[b]; });
  return order;
}

const std::u16string kEmpty;

}  // namespace

const std::array<std::string_view, LabelTable::kCount>& LabelTable::Keys() { return kKeys; }

size_t LabelTable::IndexOf(std::string_view key) {
  static const std::array<uint16_t, kCount> index = MakeKeyIndex();
  auto it = std::lower_bound(index.begin(), index.end(), key,
                             [](uint16_t position, std::string_view k) { return kKeys[position] < k; });
  return it != index.end() && kKeys[*it] == key ? *it : kCount;
}

LabelTable& LabelTable::Instance() {
  static LabelTable table;
  return table;
}

const std::u16string& LabelTable::Get(std::string_view key) const {
  const size_t index = IndexOf(key);
  return index < kCount ? texts_[index] : kEmpty;
}

const std::u16string& LabelTable::At(size_t index) const { return index < kCount ? texts_[index] : kEmpty; }

void LabelTable::Set(size_t index, std::u16string text) {
  if (index < kCount) texts_[index] = std::move(text);
}

void LabelTable::Clear() {
  for (std::u16string& text : texts_) text.clear();
}

const std::u16string& Label(std::string_view key) { return LabelTable::Instance().Get(key); }
