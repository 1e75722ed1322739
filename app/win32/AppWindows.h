#pragma once

#include "app/AppWindows.h"

namespace app {

// Start-up's windows in the Windows program.
class Win32AppWindows final : public AppWindows {
 public:
  void ShowNoReceiverMessage() override;
  bool ChooseDevice(int32_t& modelValue) override;
  void RunMainWindow(int32_t modelValue, const std::u16string& exeFolder, platform::Handle& receiver) override;
};

}  // namespace app
