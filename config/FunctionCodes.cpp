#include "config/FunctionCodes.h"

#include <array>

namespace config {
namespace {

constexpr FunctionInfo kFunctionTable[] = {
#define VN24G_ROW(code, name, kind, key, menu) {code, #name, LabelKind::kind, key, MenuGroup::menu},
    VN24G_FUNCTION_TABLE(VN24G_ROW)
#undef VN24G_ROW
};
constexpr std::size_t kRowCount = sizeof(kFunctionTable) / sizeof(kFunctionTable[0]);

// Direct index from code to row: lookups happen once per button press and
// once per label, so they should not search.
struct RowIndex {
  std::array<int16_t, 256> row{};
  constexpr RowIndex() {
    for (auto& r : row) r = -1;
    for (std::size_t i = 0; i < kRowCount; ++i) row[kFunctionTable[i].code] = static_cast<int16_t>(i);
  }
};
constexpr RowIndex kIndex{};

constexpr bool CodesAscending() {
  for (std::size_t i = 1; i < kRowCount; ++i)
    if (kFunctionTable[i - 1].code >= kFunctionTable[i].code) return false;
  return true;
}
static_assert(CodesAscending(), "the function table is kept in code order, each code once");

}  // namespace

const FunctionInfo* FunctionTableBegin() { return kFunctionTable; }
const FunctionInfo* FunctionTableEnd() { return kFunctionTable + kRowCount; }

const FunctionInfo* FindFunction(uint8_t code) {
  const int16_t row = kIndex.row[code];
  return row < 0 ? nullptr : &kFunctionTable[row];
}

const char* FixedLabelKey(uint8_t code) {
  const FunctionInfo* info = FindFunction(code);
  return info && info->labelKind == LabelKind::Fixed ? info->key : nullptr;
}

const char* MenuGroupKey(MenuGroup group) {
  if (group == MenuGroup::None || group == MenuGroup::Top) return nullptr;
  const FunctionInfo* info = FindFunction(static_cast<uint8_t>(group));
  return info && info->labelKind == LabelKind::Group ? info->key : nullptr;
}

bool IsMouseButtonCode(uint8_t code) {
  switch (code) {
    case BTN_LEFT: case BTN_RIGHT: case BTN_MIDDLE: case BTN_XBUTTON2: case BTN_XBUTTON1:
    case BTN_WHEEL_UP: case BTN_WHEEL_DOWN: case BTN_TILT_LEFT: case BTN_TILT_RIGHT:
    case BTN_ZOOM_IN: case BTN_ZOOM_OUT:
      return true;
    default:
      return false;
  }
}

bool IsKeyboardButtonCode(uint8_t code) {
  return code == BTN_ZOOM_IN || code == BTN_ZOOM_OUT || (code >= BTN_KB_FIRST && code <= BTN_KB_LAST);
}

}  // namespace config
