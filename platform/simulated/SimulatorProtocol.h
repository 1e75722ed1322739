#pragma once

// What the device simulator and its clients say to each other over the
// simulator's named pipe. Every request is one pipe message: a Request head
// and its payload; every answer is one message: a Reply head and its
// payload. One pipe connection per control-device handle, so the simulator
// knows which handle a control code came through and when it is closed.
// The pending event codes themselves sit in memory shared with the clients
// (SimulatorEventRing.h), so fetching one needs no message.

#include <cstdint>

namespace simulator {

inline constexpr wchar_t kPipeName[] = L"\\\\.\\pipe\\vn24g-device-simulator";
// Held by the running simulator, so that a second one gives way.
inline constexpr wchar_t kInstanceMutexName[] = L"vn24g-device-simulator";
// Looked for beside the program that needs the simulator.
inline constexpr wchar_t kExecutableName[] = L"vn24gsim.exe";

constexpr uint32_t kMaxRequestBytes = 64 * 1024;
constexpr uint32_t kMaxReplyBytes = 4 * 1024 * 1024;

enum class Op : uint32_t {
  // The program's side.
  kHello = 1,         // value = the client's process id (for taking over its semaphore handle);
                      // reply value = the simulator's process id, reply payload = the session id
  kDriverOpen,        // this connection becomes an open control-device handle
  kDriverControl,     // code = control code, payload = input, value = output size; reply payload = output
  kHidList,           // reply payload = the present interfaces' paths (see PathList below)
  kHidOpen,           // payload = path (UTF-16); reply value = device id
  kHidUsage,          // value = device id; reply payload = HidUsage
  kHidClose,          // value = device id
  kNotifyRegister,    // value = window handle; reply value = registration id
  kNotifyUnregister,  // value = registration id
  kDriverClose,       // the control-device handle is closed (before the connection goes)

  // The front end's commands.
  kPlug = 100,  // value = product, code = PlugFlags, extra = extra path length
  kUnplug,      // value = product
  kSetDriver,   // value = 1 present, 0 absent
  kFailCode,    // code = control code (0: every code), value = times (kForever, 0 clears)
  kQueue,       // payload = 32-bit event codes; reply value = codes queued; with extra =
                // kQueueTimed the reply payload holds, per code, the 64-bit performance
                // counter just before its semaphore release (0 when it was dropped)
  kFlood,       // value = count, code = first event code, extra = burst; reply value = codes queued
  kStatus,      // reply payload = Status, then the plugged products as 32-bit values
  kLog,         // reply payload = LogEntry array
  kClearLog,
  kReset,  // driver present, nothing plugged, no failures, masks, queue and log cleared
  kQuit,
  kHoldEvents,  // value = 1: get-event requests wait until released (value = 0), as a stalled driver
};

struct Request {
  Op op;
  uint32_t code;
  uint32_t value;
  uint32_t extra;
};

struct Reply {
  uint32_t ok;
  uint32_t value;
};

constexpr uint32_t kForever = 0xFFFFFFFF;
constexpr uint32_t kQueueTimed = 1;

enum PlugFlags : uint32_t {
  kPlugLowerCase = 1,        // device paths with lower-case identifiers
  kPlugVanishAfterList = 2,  // gone as soon as an interface list has shown it
  kPlugUnreadableDetail = 4, // the vendor interface's detail cannot be read
};

struct HidUsage {
  uint16_t usagePage;
  uint16_t usage;
};

// A path list is a sequence of entries: a 32-bit count of UTF-16 units,
// then the units.

struct Status {
  uint32_t driverPresent;
  uint32_t handlesOpen;
  uint32_t registered;
  uint32_t enabled;
  uint32_t mouseMask;
  uint32_t keyMask;
  uint32_t extraKeyMask;
  uint32_t pending;  // queued codes not fetched yet
  uint32_t queued;   // codes whose release succeeded, since the last reset
  uint32_t dropped;  // codes refused: semaphore at its maximum, or none registered
  uint32_t fetched;
  uint32_t notificationsSent;
  uint32_t notificationWindows;
  uint32_t pluggedCount;
  uint32_t hidOpen;  // HID device handles the clients hold
  uint32_t heldFetches;  // get-event requests waiting while events are held
};

enum class LogStep : uint32_t { kOpen = 1, kOpenRefused, kControl, kClose };

struct LogEntry {
  LogStep step;
  uint32_t code;    // the control code, for kControl
  uint32_t value;   // the first 4 input bytes, 0 when there were fewer
  uint32_t ok;
  uint32_t repeat;  // identical consecutive entries are counted, not repeated
};

}  // namespace simulator
