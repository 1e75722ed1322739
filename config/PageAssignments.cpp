#include "config/PageAssignments.h"

#include <cstring>

#include "config/FunctionLabel.h"

namespace config {

ButtonAssignment* PageRecords(tagVARNOK24G_DATA_& record, AssignmentPage page) {
  return page == AssignmentPage::Mouse ? record.mouseAssignments : record.keyAssignments;
}

const ButtonAssignment* PageRecords(const tagVARNOK24G_DATA_& record, AssignmentPage page) {
  return page == AssignmentPage::Mouse ? record.mouseAssignments : record.keyAssignments;
}

std::size_t PageButtonCount(const tagVARNOK24G_UI_INFORMATION& device, AssignmentPage page) {
  return page == AssignmentPage::Mouse ? UsedMouseButtons(device) : UsedKeys(device);
}

namespace {

const ButtonDescription* PageButtons(const tagVARNOK24G_UI_INFORMATION& device, AssignmentPage page) {
  return page == AssignmentPage::Mouse ? device.mouseButtons : device.keys;
}

void ResetPage(tagVARNOK24G_DATA_& record, const tagVARNOK24G_UI_INFORMATION& device, AssignmentPage page) {
  const std::size_t count = PageButtonCount(device, page);
  const ButtonDescription* buttons = PageButtons(device, page);
  uint8_t codes[kMaxKeys > kMaxMouseButtons ? kMaxKeys : kMaxMouseButtons] = {};
  for (std::size_t i = 0; i < count; ++i) codes[i] = buttons[i].buttonCode;
  ResetAssignmentFunctions(PageRecords(record, page), codes, count);
}

}  // namespace

std::vector<std::u16string> PageLabels(const tagVARNOK24G_DATA_& record, AssignmentPage page,
                                       const tagVARNOK24G_UI_INFORMATION& device) {
  const std::size_t count = PageButtonCount(device, page);
  const ButtonAssignment* records = PageRecords(record, page);
  std::vector<std::u16string> labels;
  for (std::size_t i = 0; i < count; ++i) labels.push_back(FunctionLabel(&records[i]));
  return labels;
}

std::vector<bool> ChangedKeys(const tagVARNOK24G_DATA_& applied, const tagVARNOK24G_UI_INFORMATION& device) {
  const std::size_t count = UsedKeys(device);
  std::vector<bool> changed;
  for (std::size_t i = 0; i < count; ++i)
    changed.push_back(applied.keyAssignments[i].functionCode != device.keys[i].buttonCode);
  return changed;
}

void RestoreMousePageDefaults(tagVARNOK24G_DATA_& record, const tagVARNOK24G_UI_INFORMATION& device) {
  record.mouseButtonCount = static_cast<int32_t>(UsedMouseButtons(device));
  ResetPage(record, device, AssignmentPage::Mouse);
}

void RestoreKeyboardPageDefaults(tagVARNOK24G_DATA_& record, const tagVARNOK24G_UI_INFORMATION& device) {
  std::memset(record.keyAssignments, 0, sizeof(record.keyAssignments));
  record.keyCount = static_cast<int32_t>(UsedKeys(device));
  ResetPage(record, device, AssignmentPage::Keyboard);
}

const tagVARNOK24G_DATA_& RecordToShow(PageRefresh refresh, const tagVARNOK24G_DATA_& applied,
                                       const tagVARNOK24G_DATA_& working) {
  return refresh == PageRefresh::Picked ? working : applied;
}

}  // namespace config
