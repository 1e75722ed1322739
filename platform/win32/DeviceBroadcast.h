#pragma once

// Reading the system's device broadcasts, shared by every flavour of the
// HID service: whoever sent the notice, it arrives as the same message.

#include <cstdint>
#include <string>

struct _GUID;

namespace platform::win32 {

// The class of USB device interfaces: receivers arrive under it.
const _GUID& UsbDeviceInterfaceClass();

// True for WM_DEVICECHANGE's DBT_DEVICEARRIVAL of a device interface; the
// interface's name is read no further than the broadcast's stated size.
bool ReadDeviceInterfaceArrival(uintptr_t wParam, intptr_t lParam, std::u16string& interfaceName);

}  // namespace platform::win32
