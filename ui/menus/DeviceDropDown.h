#pragma once

// The main window's device drop-down on the shared drop-down pictures of the
// skins folder: one entry per model of the device list, the current model
// marked, opened with its top-left corner at a screen point.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/DeviceList.h"
#include "ui/menus/BmpMenuEx.h"

namespace ui {

// The drop-down, open and shown, or null when its window could not be made.
std::unique_ptr<CBmpMenuEx> OpenDeviceDropDown(HWND owner, const std::u16string& exeFolder,
                                               const app::DeviceList& devices, int32_t currentModel, POINT at);

}  // namespace ui
