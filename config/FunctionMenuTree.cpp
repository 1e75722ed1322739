#include "config/FunctionMenuTree.h"

#include "config/FunctionCodes.h"
#include "text/LabelTable.h"

namespace config {

const std::vector<FunctionMenuShape>& FunctionMenuShapes() {
  static const std::vector<FunctionMenuShape> shapes = {
      {FN_COMBINATION, {}},
      {FN_FLIP_3D, {}},
      {FN_MACRO, {}},
      {FN_LAUNCH_PROGRAM, {}},
      {FN_DISABLED, {}},
      {FN_GROUP_BASIC, {FN_CUT, FN_COPY, FN_PASTE, FN_SELECT_ALL, FN_FIND, FN_NEW, FN_PRINT, FN_SAVE}},
      {FN_GROUP_ADVANCED,
       {FN_SWITCH_WINDOW, FN_CLOSE_WINDOW, FN_EXPLORER, FN_RUN, FN_SHOW_DESKTOP, FN_LOCK, FN_MAXIMIZE, FN_MINIMIZE,
        FN_ZOOM_IN, FN_ZOOM_OUT}},
      {FN_GROUP_MOUSE,
       {FN_LEFT_CLICK, FN_RIGHT_CLICK, FN_MIDDLE_CLICK, FN_XBUTTON2_CLICK, FN_XBUTTON1_CLICK, FN_SCROLL_UP,
        FN_SCROLL_DOWN, FN_SCROLL_LEFT, FN_SCROLL_RIGHT}},
      {FN_GROUP_MEDIA, {FN_PLAY_PAUSE, FN_STOP, FN_PREV_TRACK, FN_NEXT_TRACK, FN_VOLUME_UP, FN_VOLUME_DOWN, FN_MUTE}},
      {FN_GROUP_OFFICE, {FN_WORD, FN_EXCEL, FN_POWERPOINT}},
      {FN_GROUP_FACEBOOK, {FN_FB_HOME, FN_FB_NOTES, FN_FB_MESSAGES, FN_FB_EVENTS, FN_FB_MEDIA}},
  };
  return shapes;
}

namespace {

// Every code of the menu has its key in the function table, whatever the
// kind of its label elsewhere.
FunctionMenuItem MakeItem(uint8_t code) {
  const FunctionInfo* info = FindFunction(code);
  return {info && info->key ? Label(info->key) : std::u16string(), code};
}

}  // namespace

std::vector<FunctionMenuEntry> BuildFunctionMenuTree() {
  std::vector<FunctionMenuEntry> tree;
  for (const FunctionMenuShape& shape : FunctionMenuShapes()) {
    FunctionMenuEntry entry{MakeItem(shape.code), {}};
    for (uint8_t code : shape.subCodes) entry.subEntries.push_back(MakeItem(code));
    tree.push_back(std::move(entry));
  }
  return tree;
}

}  // namespace config
