#include "platform/HidEnumeration.h"
#include "platform/win32/DeviceBroadcast.h"
#include "platform/win32/WideString.h"

#include <dbt.h>
#include <setupapi.h>
// mingw-w64's HID headers declare C functions without saying so.
extern "C" {
#include <hidsdi.h>
}

#include <cstddef>
#include <cstdlib>
#include <cwchar>

namespace platform {
namespace {

using win32::FromHandle;
using win32::ToHandle;

struct InterfaceList {
  HDEVINFO set;
  GUID hidGuid;
};

class Win32HidEnumeration final : public HidEnumeration {
 public:
  Handle OpenInterfaceList() override {
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    const HDEVINFO set = SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return 0;
    return ToHandle(new InterfaceList{set, hidGuid});
  }

  HidInterfaceResult GetInterfacePath(Handle listValue, uint32_t index, std::u16string& path) override {
    path.clear();
    InterfaceList* list = FromHandle<InterfaceList*>(listValue);
    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof data;
    if (!SetupDiEnumDeviceInterfaces(list->set, nullptr, &list->hidGuid, index, &data)) {
      return HidInterfaceResult::kEnd;
    }
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(list->set, &data, nullptr, 0, &required, nullptr);
    constexpr std::size_t kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
    // A size that cannot even hold the structure's head would have the
    // size field written past the buffer.
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return HidInterfaceResult::kDetailFailed;
    auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(std::malloc(required));
    if (detail == nullptr) return HidInterfaceResult::kNoMemory;
    // The structure's own size, not the buffer's: 6 for a 32-bit program.
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(list->set, &data, detail, required, nullptr, nullptr)) {
      std::free(detail);
      return HidInterfaceResult::kDetailFailed;
    }
    const std::size_t room = (required - kPathOffset) / sizeof(wchar_t);
    path = win32::FromWide(detail->DevicePath, wcsnlen(detail->DevicePath, room));
    std::free(detail);
    return HidInterfaceResult::kPath;
  }

  void CloseInterfaceList(Handle listValue) override {
    InterfaceList* list = FromHandle<InterfaceList*>(listValue);
    if (list == nullptr) return;
    SetupDiDestroyDeviceInfoList(list->set);
    delete list;
  }

  Handle OpenDevice(const std::u16string& path) override {
    const HANDLE device = CreateFileW(win32::Wide(path), FILE_GENERIC_READ | FILE_GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return device == INVALID_HANDLE_VALUE ? 0 : ToHandle(device);
  }

  bool GetUsage(Handle device, uint16_t& usagePage, uint16_t& usage) override {
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!HidD_GetPreparsedData(FromHandle<HANDLE>(device), &preparsed)) return false;
    HIDP_CAPS caps = {};
    const NTSTATUS status = HidP_GetCaps(preparsed, &caps);
    HidD_FreePreparsedData(preparsed);
    usagePage = caps.UsagePage;
    usage = caps.Usage;
    return status == HIDP_STATUS_SUCCESS;
  }

  void CloseDevice(Handle device) override { CloseHandle(FromHandle<HANDLE>(device)); }

  Handle RegisterArrivalNotification(WindowHandle window) override {
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = win32::UsbDeviceInterfaceClass();
    return ToHandle(RegisterDeviceNotificationW(FromHandle<HWND>(window), &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
  }

  void UnregisterArrivalNotification(Handle registration) override {
    UnregisterDeviceNotification(FromHandle<HDEVNOTIFY>(registration));
  }

  bool ReadArrival(uintptr_t wParam, intptr_t lParam, std::u16string& interfaceName) override {
    return win32::ReadDeviceInterfaceArrival(wParam, lParam, interfaceName);
  }
};

}  // namespace

template <>
HidEnumeration& Service<HidEnumeration>::Default() {
  static Win32HidEnumeration enumeration;
  return enumeration;
}

}  // namespace platform
