#include "ui/dialogs/SelectDev.h"

#include "config/DeviceCatalogue.h"
#include "platform/win32/WideString.h"
#include "text/LabelTable.h"
#include "ui/resources/ResourceIds.h"

namespace ui {

CSelectDev::CSelectDev(HWND owner) : Dialog(IDD_SELECT_DEVICE, owner) {}

bool CSelectDev::OnInitDialog() {
  SetWindowTextW(Handle(), platform::win32::Wide(Label("tc_select_dev_title")));
  SetDlgItemTextW(Handle(), -1, platform::win32::Wide(Label("tc_select_dev_tips1")));
  const HWND list = GetDlgItem(Handle(), IDC_SELECT_DEVICE_LIST);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  WPARAM position = 0;
  for (const auto& model : config::DeviceCatalogue) {
    const std::u16string name = config::ModelName(model);
    const LRESULT item =
        SendMessageW(list, CB_INSERTSTRING, position++, reinterpret_cast<LPARAM>(platform::win32::Wide(name)));
    if (item >= 0) SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(item), model.modelValue);
  }
  return true;
}

bool CSelectDev::OnCommand(WORD id, WORD code, HWND control) {
  if (id != IDC_SELECT_DEVICE_OK || code != BN_CLICKED) return false;
  Choose();
  return true;
}

void CSelectDev::Choose() {
  const HWND list = GetDlgItem(Handle(), IDC_SELECT_DEVICE_LIST);
  const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) {
    EndDialog(kNothingChosen);
    return;
  }
  chosenModel_ = static_cast<int32_t>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
  EndDialog(kChosen);
}

}  // namespace ui
