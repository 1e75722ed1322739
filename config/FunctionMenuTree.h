#pragma once

// The function menu of both assignment pages: five functions offered
// directly, then six categories each opening a list of functions. The order
// is the order on screen, which is not always code order (the window
// commands put the explorer, run and desktop entries before locking, and
// maximise and minimise before zooming).

#include <cstdint>
#include <string>
#include <vector>

namespace config {

struct FunctionMenuItem {
  std::u16string label;  // language text of the function's key
  int32_t id;            // function code; a category's own group code
};

struct FunctionMenuEntry {
  FunctionMenuItem item;
  std::vector<FunctionMenuItem> subEntries;  // empty for a direct function
};

// The codes of the menu in screen order: the top level, and below each
// category its functions.
struct FunctionMenuShape {
  uint8_t code;
  std::vector<uint8_t> subCodes;
};
const std::vector<FunctionMenuShape>& FunctionMenuShapes();

// The menu with its labels read from the process-wide label table now.
std::vector<FunctionMenuEntry> BuildFunctionMenuTree();

}  // namespace config
