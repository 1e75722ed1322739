#include "device/ReceiverDetection.h"

#include <string>

#include "platform/DebugOutput.h"
#include "platform/HidEnumeration.h"

namespace device {
namespace {

using platform::Handle;
using platform::HidInterfaceResult;

platform::HidEnumeration& Hid() { return platform::Service<platform::HidEnumeration>::Get(); }

void Debug(const char16_t* text) { platform::Service<platform::DebugOutput>::Get().Write(text); }

char16_t FoldAscii(char16_t unit) { return unit >= u'a' && unit <= u'z' ? char16_t(unit - (u'a' - u'A')) : unit; }

// The USB device interfaces of the receivers as the system names them on
// arrival.
constexpr std::u16string_view kReceiverUsbNames[] = {
    u"USB#Vid_3C7A&Pid_2000",
    u"USB#Vid_3C7A&Pid_1000",
    u"USB#Vid_3C7A&Pid_2001",
};

// Opens `path` and keeps it when its usage matches; otherwise closes it.
Handle OpenIfUsageMatches(const std::u16string& path, uint16_t usagePage, uint16_t usage) {
  const Handle device = Hid().OpenDevice(path);
  if (device == 0) return 0;
  uint16_t page = 0;
  uint16_t foundUsage = 0;
  if (Hid().GetUsage(device, page, foundUsage) && page == usagePage && foundUsage == usage) return device;
  Hid().CloseDevice(device);
  return 0;
}

}  // namespace

bool ContainsIgnoringCase(std::u16string_view text, std::u16string_view part) {
  if (part.empty()) return true;
  if (part.size() > text.size()) return false;
  for (std::size_t start = 0; start + part.size() <= text.size(); ++start) {
    std::size_t i = 0;
    while (i < part.size() && FoldAscii(text[start + i]) == FoldAscii(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}

Handle FindHidInterface(std::u16string_view pathPart, uint16_t usagePage, uint16_t usage) {
  const Handle list = Hid().OpenInterfaceList();
  if (list == 0) return 0;
  std::u16string path;
  for (uint32_t index = 0;; ++index) {
    const HidInterfaceResult result = Hid().GetInterfacePath(list, index, path);
    if (result == HidInterfaceResult::kEnd) break;
    if (result == HidInterfaceResult::kNoMemory) {
      Debug(u"Error: OpenDeviceInterface: malloc failed\n");
      continue;
    }
    if (result == HidInterfaceResult::kDetailFailed) {
      Debug(u"Error: SetupDiGetInterfaceDeviceDetail failed\n");
      continue;
    }
    if (!ContainsIgnoringCase(path, pathPart)) continue;
    const Handle device = OpenIfUsageMatches(path, usagePage, usage);
    if (device != 0) {
      Hid().CloseInterfaceList(list);
      return device;
    }
  }
  Hid().CloseInterfaceList(list);
  return 0;
}

bool DetectReceiver(Handle& receiver) {
  CloseReceiver(receiver);
  for (const ReceiverSearchRow& row : kReceiverSearchTable) {
    receiver = FindHidInterface(row.pathPart, row.usagePage, row.usage);
    if (receiver != 0) return true;
  }
  return false;
}

void CloseReceiver(Handle& receiver) {
  if (receiver != 0) Hid().CloseDevice(receiver);
  receiver = 0;
}

bool IsReceiverInterfaceName(std::u16string_view interfaceName) {
  for (std::u16string_view name : kReceiverUsbNames) {
    if (ContainsIgnoringCase(interfaceName, name)) return true;
  }
  return false;
}

}  // namespace device
