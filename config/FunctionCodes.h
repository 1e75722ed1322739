#pragma once

// Button codes and function codes share one 8-bit number space: a button's
// default function is its own button code, which means "do what the button
// does by itself". The function table below is the one place that says which
// codes exist, which language key labels them and which menu group offers
// them; the enumeration, the lookups and the menus are all generated from it.

#include <cstddef>
#include <cstdint>

namespace config {

// How a record with this code gets its label.
enum class LabelKind : uint8_t {
  Fixed,     // the language text of `key`
  Computed,  // built from the record (combination, macro name, program); `key` names the menu entry
  Group,     // a menu category; `key` names the category, the label is empty
  None,      // empty label
};

// Which menu offers a code. A group's value is the function code of its own
// category entry, so the category's key is found in the same table.
enum class MenuGroup : uint8_t {
  None = 0,       // offered by no menu, still executed and labelled
  Top = 255,      // an entry of the top level
  Advanced = 22,  // "tc_advance"
  Basic = 23,     // "tc_base_fun"
  Media = 24,     // "tc_media"
  Mouse = 26,     // "tc_mouse_fun"
  Office = 27,    // "tc_office"
  Facebook = 28,  // "tc_facebook"
};

// code, constant, label kind, language key, menu
#define VN24G_FUNCTION_TABLE(X)                                                        \
  X(1, FN_LEFT_CLICK, Fixed, "tc_click", Mouse)                                        \
  X(2, FN_RIGHT_CLICK, Fixed, "tc_menu", Mouse)                                        \
  X(3, FN_MIDDLE_CLICK, Fixed, "tc_middle", Mouse)                                     \
  X(4, FN_XBUTTON2_CLICK, Fixed, "tc_pre", Mouse)                                      \
  X(5, FN_XBUTTON1_CLICK, Fixed, "tc_back", Mouse)                                     \
  X(6, FN_MAXIMIZE_ALT, Fixed, "tc_max_win", None)                                     \
  X(7, FN_MINIMIZE_ALT, Fixed, "tc_min_win", None)                                     \
  X(8, FN_FLIP_3D, Fixed, "tc_flip_3d", Top)                                           \
  X(9, FN_SCROLL_UP, Fixed, "tc_scrollup", Mouse)                                      \
  X(10, FN_SCROLL_DOWN, Fixed, "tc_scrolldw", Mouse)                                   \
  X(16, FN_SCROLL_LEFT, Fixed, "tc_scrolllt", Mouse)                                   \
  X(17, FN_SCROLL_RIGHT, Fixed, "tc_scrollrt", Mouse)                                  \
  X(18, FN_DOUBLE_CLICK, Fixed, "tc_dbclick", None)                                    \
  X(19, FN_COMBINATION, Computed, "tc_combokey", Top)                                  \
  X(20, FN_MACRO, Computed, "tc_mac_def", Top)                                         \
  X(21, FN_DISABLED, Fixed, "tc_key_off", Top)                                         \
  X(22, FN_GROUP_ADVANCED, Group, "tc_advance", Top)                                   \
  X(23, FN_GROUP_BASIC, Group, "tc_base_fun", Top)                                     \
  X(24, FN_GROUP_MEDIA, Group, "tc_media", Top)                                        \
  X(25, FN_LAUNCH_PROGRAM, Computed, "tc_auto_start", Top)                             \
  X(26, FN_GROUP_MOUSE, Group, "tc_mouse_fun", Top)                                    \
  X(27, FN_GROUP_OFFICE, Group, "tc_office", Top)                                       \
  X(28, FN_GROUP_FACEBOOK, Group, "tc_facebook", Top)                                  \
  X(48, FN_PLAY_PAUSE, Fixed, "tc_PL", Media)                                          \
  X(49, FN_STOP, Fixed, "tc_stop", Media)                                              \
  X(50, FN_PREV_TRACK, Fixed, "tc_pre_media", Media)                                   \
  X(51, FN_NEXT_TRACK, Fixed, "tc_next_media", Media)                                  \
  X(52, FN_PLAY_PAUSE_ALT, None, nullptr, None)                                        \
  X(53, FN_VOLUME_UP, Fixed, "tc_vol_up", Media)                                       \
  X(54, FN_VOLUME_DOWN, Fixed, "tc_vol_dw", Media)                                     \
  X(55, FN_MUTE, Fixed, "tc_mute", Media)                                              \
  X(56, FN_WORD, Fixed, "tc_office_word", Office)                                      \
  X(57, FN_EXCEL, Fixed, "tc_office_excel", Office)                                    \
  X(58, FN_POWERPOINT, Fixed, "tc_office_powerpnt", Office)                            \
  X(64, FN_CUT, Fixed, "tc_cut", Basic)                                                \
  X(65, FN_COPY, Fixed, "tc_copy", Basic)                                              \
  X(66, FN_PASTE, Fixed, "tc_past", Basic)                                             \
  X(68, FN_SELECT_ALL, Fixed, "tc_all", Basic)                                         \
  X(69, FN_FIND, Fixed, "tc_find", Basic)                                              \
  X(70, FN_NEW, Fixed, "tc_new", Basic)                                                \
  X(71, FN_PRINT, Fixed, "tc_print", Basic)                                            \
  X(72, FN_SAVE, Fixed, "tc_save", Basic)                                              \
  X(73, FN_DELETE, None, nullptr, None)                                                \
  X(80, FN_SWITCH_WINDOW, Fixed, "tc_swap", Advanced)                                  \
  X(81, FN_CLOSE_WINDOW, Fixed, "tc_close", Advanced)                                  \
  X(82, FN_LOCK, Fixed, "tc_lock", Advanced)                                           \
  X(83, FN_EXPLORER, Fixed, "tc_explor", Advanced)                                     \
  X(84, FN_RUN, Fixed, "tc_run", Advanced)                                             \
  X(85, FN_SHOW_DESKTOP, Fixed, "tc_show", Advanced)                                   \
  X(86, FN_ZOOM_IN, Fixed, "tc_zoomin", Advanced)                                      \
  X(87, FN_ZOOM_OUT, Fixed, "tc_zoomout", Advanced)                                    \
  X(88, FN_MAXIMIZE, Fixed, "tc_max_win", Advanced)                                    \
  X(89, FN_MINIMIZE, Fixed, "tc_min_win", Advanced)                                    \
  X(96, FN_KB_BACK, Fixed, "tc_kbmedia_back", None)                                    \
  X(97, FN_KB_FORWARD, Fixed, "tc_kbmedia_forword", None)                              \
  X(98, FN_KB_STOP, Fixed, "tc_kbmedia_stop", None)                                    \
  X(99, FN_KB_REFRESH, Fixed, "tc_kbmedia_ref", None)                                  \
  X(100, FN_KB_FAVORITES, Fixed, "tc_kbmedia_fav", None)                               \
  X(101, FN_KB_SEARCH, Fixed, "tc_kbmedia_search", None)                               \
  X(102, FN_KB_MAIL, Fixed, "tc_kbmedia_mail", None)                                   \
  X(103, FN_KB_HOME, Fixed, "tc_kbmedia_main", None)                                   \
  X(104, FN_KB_SLEEP, Fixed, "tc_kbmedia_sleep", None)                                 \
  X(105, FN_KB_CLOSE, Fixed, "tc_kbmedia_close", None)                                 \
  X(106, FN_KB_WORD, Fixed, "tc_kbmedia_word", None)                                   \
  X(107, FN_KB_EXCEL, Fixed, "tc_kbmedia_excel", None)                                 \
  X(108, FN_KB_MY_COMPUTER, Fixed, "tc_kbmedia_explore", None)                         \
  X(109, FN_KB_CALCULATOR, Fixed, "tc_kbmedia_cal", None)                              \
  X(110, FN_KB_PLAY, Fixed, "tc_kbmedia_play", None)                                   \
  X(111, FN_KB_MEDIA_SELECT, Fixed, "tc_kbmedia_msel", None)                           \
  X(112, FN_KB_PREV_TRACK, Fixed, "tc_kbmedia_pre", None)                              \
  X(113, FN_KB_NEXT_TRACK, Fixed, "tc_kbmedia_next", None)                             \
  X(114, FN_KB_MEDIA_STOP, Fixed, "tc_kbmedia_mstop", None)                            \
  X(115, FN_KB_MUTE, Fixed, "tc_kbmedia_mute", None)                                   \
  X(116, FN_KB_VOLUME_UP, Fixed, "tc_kbmedia_volumeup", None)                          \
  X(117, FN_KB_VOLUME_DOWN, Fixed, "tc_kbmedia_volumedown", None)                      \
  X(118, FN_KB_POWERPOINT, Fixed, "tc_kbmedia_powerpnt", None)                         \
  X(128, FN_FB_HOME, Fixed, "tc_facebook_homepage", Facebook)                          \
  X(129, FN_FB_ZOOM_OUT_WINDOW, Fixed, "tc_facebook_zoomoutwindow", None)              \
  X(130, FN_FB_ZOOM_IN_WINDOW, Fixed, "tc_facebook_zoominwindow", None)                \
  X(131, FN_FB_SEARCH_FRIEND, Fixed, "tc_facebook_searchfriend", None)                 \
  X(132, FN_FB_ALL_FRIENDS, Fixed, "tc_facebook_allfriend", None)                      \
  X(133, FN_FB_SEND_MESSAGE, Fixed, "tc_facebook_sendmessage", None)                   \
  X(134, FN_FB_ALL_MESSAGES, Fixed, "tc_facebook_allmessage", None)                    \
  X(135, FN_FB_ALL_NOTIFICATIONS, Fixed, "tc_facebook_allnotify", None)                \
  X(136, FN_FB_FRIEND_ALIGN, Fixed, "tc_facebook_friendalign", None)                   \
  X(137, FN_FB_NOTES, Fixed, "tc_facebook_sk", Facebook)                               \
  X(154, FN_FB_MESSAGES, Fixed, "tc_facebook_skmessage", Facebook)                     \
  X(155, FN_FB_EVENTS, Fixed, "tc_facebook_skevent", Facebook)                         \
  X(156, FN_FB_MEDIA, Fixed, "tc_facebook_skmedia", Facebook)                          \
  X(157, FN_FB_ALBUM, Fixed, "tc_facebook_skalbum", None)

enum FunctionCode : uint8_t {
#define VN24G_ENUMERATOR(code, name, kind, key, menu) name = code,
  VN24G_FUNCTION_TABLE(VN24G_ENUMERATOR)
#undef VN24G_ENUMERATOR
};

// Physical buttons. Their codes are the default functions of the same number.
enum ButtonCode : uint8_t {
  BTN_LEFT = FN_LEFT_CLICK,
  BTN_RIGHT = FN_RIGHT_CLICK,
  BTN_MIDDLE = FN_MIDDLE_CLICK,
  BTN_XBUTTON2 = FN_XBUTTON2_CLICK,  // fifth button, bit 4 of the button state
  BTN_XBUTTON1 = FN_XBUTTON1_CLICK,  // fourth button, bit 3 of the button state
  BTN_WHEEL_UP = FN_SCROLL_UP,
  BTN_WHEEL_DOWN = FN_SCROLL_DOWN,
  BTN_TILT_LEFT = FN_SCROLL_LEFT,
  BTN_TILT_RIGHT = FN_SCROLL_RIGHT,
  BTN_ZOOM_IN = FN_ZOOM_IN,
  BTN_ZOOM_OUT = FN_ZOOM_OUT,
  BTN_KB_FIRST = FN_KB_BACK,         // keyboard media keys 96 ...
  BTN_KB_LAST = FN_KB_VOLUME_DOWN,   // ... to 117
};

struct FunctionInfo {
  uint8_t code;
  const char* constantName;
  LabelKind labelKind;
  const char* key;  // language key (see LabelKind); nullptr when there is none
  MenuGroup menu;
};

// The rows of the table in ascending code order.
const FunctionInfo* FunctionTableBegin();
const FunctionInfo* FunctionTableEnd();

// The row of `code`, or nullptr when the code is no function.
const FunctionInfo* FindFunction(uint8_t code);

// Language key of the label a record with this code shows when the label is
// a fixed text; nullptr for computed, category and unlabelled codes.
const char* FixedLabelKey(uint8_t code);

// Language key of a menu category's entry ("tc_mouse_fun", ...), nullptr for
// None and Top.
const char* MenuGroupKey(MenuGroup group);

// Whether a mouse or keyboard button code exists (the dispatcher's targets).
bool IsMouseButtonCode(uint8_t code);
bool IsKeyboardButtonCode(uint8_t code);

}  // namespace config
