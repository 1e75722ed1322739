#pragma once

// What the filter driver understands. Every code is buffered, device type
// 0x22, any access: CTL_CODE(0x22, function, METHOD_BUFFERED, FILE_ANY_ACCESS).

#include <cstdint>

namespace device {

// The driver's control device, "\\.\vn24gms".
inline constexpr char16_t kDriverDevicePath[] = u"\\\\.\\vn24gms";

constexpr uint32_t DriverControlCode(uint32_t function) { return (0x22u << 16) | (function << 2); }

constexpr uint32_t kIoctlRegister = DriverControlCode(0x900);      // in: 4-byte semaphore handle value
constexpr uint32_t kIoctlUnregister = DriverControlCode(0x901);    // no buffers
constexpr uint32_t kIoctlGetEvent = DriverControlCode(0x902);      // in/out: 4-byte event code
constexpr uint32_t kIoctlMouseMask = DriverControlCode(0x903);     // in: 32-bit mask
constexpr uint32_t kIoctlKeyMask = DriverControlCode(0x904);       // in: 32-bit mask
constexpr uint32_t kIoctlEnable = DriverControlCode(0x905);        // in: 32-bit value 1
constexpr uint32_t kIoctlExtraKeyMask = DriverControlCode(0x90D);  // in: 32-bit mask

static_assert(kIoctlRegister == 0x222400, "driver contract");
static_assert(kIoctlUnregister == 0x222404, "driver contract");
static_assert(kIoctlGetEvent == 0x222408, "driver contract");
static_assert(kIoctlMouseMask == 0x22240C, "driver contract");
static_assert(kIoctlKeyMask == 0x222410, "driver contract");
static_assert(kIoctlEnable == 0x222414, "driver contract");
static_assert(kIoctlExtraKeyMask == 0x222434, "driver contract");

// The most events the driver can have pending: the semaphore's maximum count.
constexpr int32_t kMaxPendingEvents = 8000;

}  // namespace device
