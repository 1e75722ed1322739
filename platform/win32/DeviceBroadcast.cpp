#include "platform/win32/DeviceBroadcast.h"
#include "platform/win32/WideString.h"

#include <dbt.h>

#include <cstddef>
#include <cwchar>

namespace platform::win32 {

const GUID& UsbDeviceInterfaceClass() {
  static const GUID usb = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};
  return usb;
}

bool ReadDeviceInterfaceArrival(uintptr_t wParam, intptr_t lParam, std::u16string& interfaceName) {
  interfaceName.clear();
  if (wParam != DBT_DEVICEARRIVAL || lParam == 0) return false;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
  constexpr std::size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
  if (header->dbch_size < kNameOffset) return false;
  const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
  // The name need not be terminated inside the broadcast; its size is what
  // the sender vouches for.
  const std::size_t room = (header->dbch_size - kNameOffset) / sizeof(wchar_t);
  interfaceName = FromWide(broadcast->dbcc_name, wcsnlen(broadcast->dbcc_name, room));
  return true;
}

}  // namespace platform::win32
