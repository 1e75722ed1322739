#include "ui/PublicData.h"

#include "config/DeviceCatalogue.h"
#include "config/FunctionLabel.h"
#include "config/SettingsStore.h"
#include "text/KeyNames.h"
#include "ui/text/SkinText.h"

namespace ui {

std::u16string CPublicData::KeyName(uint8_t code) { return text::KeyName(code); }

std::u16string CPublicData::CombinationText(uint8_t modifiers, uint8_t key1, uint8_t key2) {
  return text::CombinationText(modifiers, key1, key2);
}

std::u16string CPublicData::FunctionLabel(const config::ButtonAssignment* record) {
  return config::FunctionLabel(record);
}

bool CPublicData::DrawTextRegular(HDC dc, const std::u16string& text, float points, int alignment, uint32_t argb,
                                  float x, float y, float width, float height) {
  return DrawSkinText(dc, text, points, TextWeight::Regular, alignment, argb, x, y, width, height);
}

bool CPublicData::DrawTextBold(HDC dc, const std::u16string& text, float points, int alignment, uint32_t argb,
                               float x, float y, float width, float height) {
  return DrawSkinText(dc, text, points, TextWeight::Bold, alignment, argb, x, y, width, height);
}

void CPublicData::SelectCurrentDevice(int32_t modelValue) { config::SelectCurrentDevice(modelValue); }

void CPublicData::SelectCurrentSettings(int32_t modelValue) { config::SelectCurrentSettings(modelValue); }

}  // namespace ui
