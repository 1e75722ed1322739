#include "ui/dialogs/SelectDev.h"

#include "config/DeviceCatalogue.h"
#include "platform/win32/WideString.h"
#include "text/LabelTable.h"
#include "ui/resources/ResourceIds.h"

namespace ui {

CSelectDev::CSelectDev(HWND owner) : Dialog(IDD_SELECT_DEVICE, owner) {}

bool CSelectDev::OnInitDialog() {
  SetWindowTextW(Handle(), platform::win32::Wide(Label("tc_select_dev_title")));
  prompt_.Attach(GetDlgItem(Handle(), -1));
  prompt_.SetText(Label("tc_select_dev_tips1"));
  models_.AttachItem(Handle(), IDC_SELECT_DEVICE_LIST);
  ok_.AttachItem(Handle(), IDC_SELECT_DEVICE_OK);
  ok_.onClick = [this] { Choose(); };
  models_.Clear();
  for (const auto& model : config::DeviceCatalogue) models_.Add(config::ModelName(model), model.modelValue);
  return true;
}

void CSelectDev::Choose() {
  const int selected = models_.Selection();
  if (selected < 0) {
    EndDialog(kNothingChosen);
    return;
  }
  chosenModel_ = static_cast<int32_t>(models_.Data(selected));
  EndDialog(kChosen);
}

}  // namespace ui
