#pragma once

// Finding the family's receiver among the system's HID interfaces: by the
// USB identifiers in the device path, then by the usage of the interface.

#include <cstdint>
#include <string_view>

#include "platform/Handle.h"

namespace device {

struct ReceiverSearchRow {
  std::u16string_view pathPart;  // must occur in the device path, in any case
  uint16_t usagePage;
  uint16_t usage;
};

// Tried in this order; the first row that yields an open interface wins.
inline constexpr ReceiverSearchRow kReceiverSearchTable[] = {
    {u"VID_3C7A&PID_2000", 0xFF00, 0x000E},
    {u"VID_3C7A&PID_2001", 0xFF00, 0x000E},
    {u"VID_3C7A&PID_1000", 0xF1F2, 0xF1F2},
};

// Case-insensitive (ASCII letters) substring test, as the system's own
// path comparisons treat the identifiers in device paths.
bool ContainsIgnoringCase(std::u16string_view text, std::u16string_view part);

// One row of the table: the first present HID interface whose path contains
// `pathPart` and whose top-level collection has the given usage, opened; 0
// when there is none.
platform::Handle FindHidInterface(std::u16string_view pathPart, uint16_t usagePage, uint16_t usage);

// Replaces `receiver` (closing what it held) by the receiver's open HID
// interface, or by 0 when none is plugged in. True when one was found.
bool DetectReceiver(platform::Handle& receiver);

// Closes a receiver handle kept by DetectReceiver and sets it to 0.
void CloseReceiver(platform::Handle& receiver);

// True for the name of a USB device interface that belongs to one of the
// family's receivers: what a device-arrival notice is checked against.
bool IsReceiverInterfaceName(std::u16string_view interfaceName);

}  // namespace device
