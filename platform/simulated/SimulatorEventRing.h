#pragma once

// The simulated driver's pending events, kept in memory the simulator
// shares with its clients. The program's event thread wakes on its
// semaphore and takes the next code straight from here, instead of asking
// the simulator through the pipe for every event: one pipe transaction per
// event cost more than the rest of the event's way together. The simulator
// still sees every fetch: it counts those taken here into its log before it
// answers anything else, in the order the client made them.
//
// Only the registered client takes codes from here, and only while nothing
// special is asked of the driver (driver present, events not held, no
// failures arranged for fetches); otherwise `fastSession` is 0 and the fetch
// goes through the pipe as any other control code.

#include <cstdint>

namespace simulator {

inline constexpr wchar_t kEventRingName[] = L"vn24g-device-simulator-events";

// Room for every code the driver's semaphore can count (its maximum, 8000),
// the one the event thread has been woken for but not taken yet, and the
// one a refused release takes back; the simulator checks the sum.
constexpr uint32_t kEventRingSlots = 8002;

struct EventRing {
  // A spin lock between processes: the simulator and the fetching client
  // hold it only for a few loads and stores.
  volatile long lock;
  uint32_t fastSession;  // the session that may fetch here; 0 for none
  uint32_t fetchCode;    // the driver's get-event control code, as the simulator knows it
  uint32_t head;         // slot of the oldest code
  uint32_t count;        // codes pending
  uint32_t unlogged;     // fetches made here that the log has not counted yet
  uint32_t codes[kEventRingSlots];
};

// Holds the ring's lock for its lifetime.
class EventRingLock {
 public:
  explicit EventRingLock(EventRing& ring);
  ~EventRingLock();
  EventRingLock(const EventRingLock&) = delete;
  EventRingLock& operator=(const EventRingLock&) = delete;

 private:
  EventRing& ring_;
};

// The ring of the running simulator, mapped into this process; the
// simulator creates it, clients open it. Null when it cannot be mapped.
EventRing* MapEventRing(bool create);

// Under the lock: append at the back (false when full), take from the
// front or the back.
bool PushEvent(EventRing& ring, uint32_t code);
bool PopFrontEvent(EventRing& ring, uint32_t& code);
void PopBackEvent(EventRing& ring);

}  // namespace simulator
