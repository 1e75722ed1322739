#include "app/win32/AppWindows.h"

#include "ui/dialogs/DlgRestore.h"
#include "ui/dialogs/SelectDev.h"
#include "ui/mainwindow/MainWindow.h"

namespace app {

void Win32AppWindows::ShowNoReceiverMessage() {
  ui::CDlgRestore message(nullptr);
  message.SetTitle(kNoReceiverTitle);
  message.SetMessage(kNoReceiverText);
  message.DoModal();
}

bool Win32AppWindows::ChooseDevice(int32_t& modelValue) {
  ui::CSelectDev dialog(nullptr);
  if (dialog.DoModal() != ui::CSelectDev::kChosen) return false;
  modelValue = dialog.ChosenModel();
  return true;
}

void Win32AppWindows::RunMainWindow(int32_t modelValue, const std::u16string& exeFolder, platform::Handle& receiver) {
  ui::CVarnok24G_ConfigDlg window(modelValue, exeFolder, receiver);
  window.DoModal();
}

}  // namespace app
