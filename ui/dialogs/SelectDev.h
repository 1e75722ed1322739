#pragma once

// Asks which installed model is the current one when the device list does
// not say: a plain dialog (resource template 104) listing the catalogue's
// models in catalogue order. DoModal answers 1 with the chosen model value
// in ChosenModel(), or 2 when nothing was chosen.

#include <cstdint>

#include "ui/window/Controls.h"
#include "ui/window/Dialog.h"

namespace ui {

class CSelectDev : public Dialog {
 public:
  explicit CSelectDev(HWND owner = nullptr);

  // The chosen model value; 0 until a model is chosen.
  int32_t ChosenModel() const { return chosenModel_; }

  static constexpr INT_PTR kChosen = 1;
  static constexpr INT_PTR kNothingChosen = 2;

 protected:
  bool OnInitDialog() override;
  // Enter: the same as the OK button; without it the dialog would end as
  // chosen with no model.
  void OnOK() override { Choose(); }
  void OnCancel() override { EndDialog(kNothingChosen); }

 private:
  void Choose();

  ComboBox models_;
  PushButton ok_;
  Control prompt_;
  int32_t chosenModel_ = 0;
};

}  // namespace ui
